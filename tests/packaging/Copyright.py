"""Reads a package's copyright file as Debian's machine-readable format and checks what it says.

The program's own files must be under the licence of LICENSE, with its text word for word; the
bundled font under its own licence; every licence named must have its text. Exits 1 with the
reason on a mismatch.
Usage: Copyright.py <copyright file> <LICENSE>
"""
import re
import sys

from debian import copyright as dep5


def fail(reason):
    print("FAIL: " + reason)
    sys.exit(1)


def main(copyright_path, licence_path):
    with open(copyright_path, encoding="utf-8") as f:
        try:
            parsed = dep5.Copyright(f, strict=True)
        except (dep5.Error, ValueError) as error:
            fail(f"{copyright_path} is not machine-readable: {error}")
    with open(licence_path, encoding="utf-8") as f:
        licence = f.read().strip()

    texts = {p.license.synopsis: p.license.text for p in parsed.all_license_paragraphs()}
    for files in parsed.all_files_paragraphs():
        name = files.license.synopsis
        if not files.license.text and not texts.get(name):
            fail(f"no text for the licence {name} of {' '.join(files.files)}")
        texts.setdefault(name, files.license.text)

    def licence_of(path):
        files = parsed.find_files_paragraph(path)
        if files is None:
            fail(f"no paragraph covers {path}")
        return files

    ours = licence_of("tracker/MainWindow.cpp")
    if ours.license.synopsis != "Expat":
        fail(f"the program's files are under {ours.license.synopsis}, not Expat (MIT)")
    if texts["Expat"].strip() != licence:
        fail("the text of Expat differs from LICENSE")
    holder = re.search(r"^Copyright \(c\) (.+)$", licence, re.MULTILINE)
    if holder is None or holder.group(1) not in ours.copyright:
        fail(f"the program's copyright '{ours.copyright}' is not the one of LICENSE")

    font = licence_of("third_party/fonts/LiberationSans-Regular.ttf")
    if "OFL-1.1" not in font.license.synopsis:
        fail(f"the font is under {font.license.synopsis}, not the SIL Open Font License 1.1")
    if "Red Hat" not in font.copyright:
        fail("the font's copyright holders are missing")
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main(*sys.argv[1:])
