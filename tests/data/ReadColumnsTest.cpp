// Reading a working view column by column, against the walk record by record through the
// view's own operations; the view is where it was afterwards.
#include "tests/support/DataChain.h"

#include <numeric>

namespace trevalo::test {
namespace {

const QString kBlank = QStringLiteral("<blank>");

/// Fifty code points of two UTF-16 units and four UTF-8 bytes: the longest Name there is.
const QString kLongest = QString::fromUtf8("\xF0\x9D\x84\x9E").repeated(50);

struct Sample {
    QVariant name, id, init, active, passes;
};

void Add(TWorkingView& view, const Sample& sample) {
    view.Insert();
    Set(view, "Name", sample.name);
    Set(view, "ID", sample.id);
    Set(view, "Init", sample.init);
    Set(view, "Active", sample.active);
    Set(view, "Passes", sample.passes);
    view.Post();
}

/// A blank in every field, empty and multi-byte names, the longest name, inactive records.
const std::vector<Sample>& FewSamples() {
    static const std::vector<Sample> samples{
        {QStringLiteral("Ann"), 7, 12, true, 1},
        {{}, {}, {}, {}, {}},
        {QString::fromUtf8("\xC3\x98rn \xE6\x97\xA5\xE6\x9C\xAC"), -2147483647 - 1, -3, false, 0},
        {QString(), 2147483647, {}, true, {}},
        {kLongest, 0, 0, {}, 2},
        {QStringLiteral("Bo"), {}, 5, false, 3},
    };
    return samples;
}

/// Enough records, and long enough names, that the engine is read in several blocks.
std::vector<Sample> ManySamples() {
    std::vector<Sample> samples;
    for (int i = 0; i < 700; ++i)
        samples.push_back({i % 11 == 0   ? QVariant()
                           : i % 3 == 0  ? QVariant(kLongest)
                           : i % 13 == 0 ? QVariant(QString(""))
                                         : QVariant(QStringLiteral("n%1").arg(i)),
                           i % 6 == 0 ? QVariant() : QVariant(i * 1000 - 350000),
                           i % 5 == 0 ? QVariant() : QVariant(i % 40 - 20),
                           i % 17 == 0 ? QVariant() : QVariant(i % 4 != 1), i % 7});
    return samples;
}

/// One line per record: its bookmark in hex, then each column, as the columns hold them.
QStringList FromColumns(const RecordColumns& read) {
    QStringList lines;
    const auto count = static_cast<std::size_t>(read.Count);
    if (read.Bookmarks.size() != count * read.BookmarkSize)
        lines << QStringLiteral("<bookmarks of another count>");
    for (const ValueColumn& column : read.Columns) {
        const bool isString = column.Type == engine::FieldType::String;
        if (column.Blank.size() != count || column.Numbers.size() != (isString ? 0 : count) ||
            column.Start.size() != (isString ? count : 0) ||
            column.Length.size() != column.Start.size() ||
            column.Text.size() != std::accumulate(column.Length.begin(), column.Length.end(), 0u))
            lines << QStringLiteral("<arrays of another size>");
    }
    for (int record = 0; record < read.Count; ++record) {
        const std::string_view bookmark = read.Bookmark(record);
        QStringList line{
            QByteArray(bookmark.data(), static_cast<qsizetype>(bookmark.size())).toHex()};
        for (const ValueColumn& column : read.Columns) {
            const auto at = static_cast<std::size_t>(record);
            if (column.Blank[at] == 1) {
                const bool empty = column.Type == engine::FieldType::String
                                       ? column.Length[at] == 0
                                       : column.Numbers[at] == 0;
                line << (empty ? kBlank : QStringLiteral("<blank with a value>"));
            } else if (column.Type == engine::FieldType::String) {
                line << QString::fromUtf8(column.Utf8(record));
            } else if (column.Type == engine::FieldType::Boolean) {
                line << (column.Numbers[at] == 1   ? QStringLiteral("True")
                         : column.Numbers[at] == 0 ? QStringLiteral("False")
                                                   : QStringLiteral("<not a boolean>"));
            } else {
                line << QString::number(column.Numbers[at]);
            }
        }
        lines << line.join(u'|');
    }
    return lines;
}

/// The same lines from First, Next, Value and GetBookmark; a field of no use to the view is
/// blank. Leaves the view on its last record.
QStringList FromWalk(TWorkingView& view, const QList<const TField*>& fields) {
    QStringList lines;
    view.DisableControls();
    for (view.First(); !view.Eof(); view.Next()) {
        QStringList line{view.GetBookmark().toHex()};
        for (const TField* field : fields) {
            const QVariant value = field && field->DataSet() == &view ? field->Value() : QVariant();
            line << (value.isNull() ? kBlank
                     : field->DataType() == engine::FieldType::Boolean
                         ? (value.toBool() ? QStringLiteral("True") : QStringLiteral("False"))
                         : value.toString());
        }
        lines << line.join(u'|');
    }
    view.EnableControls();
    return lines;
}

class ReadColumnsTest : public DataChainTest {
protected:
    /// Every field of the view, then a null one, one of no view and one of another view.
    QList<const TField*> Asked() {
        QList<const TField*> fields;
        for (const TField* field : Init().Fields())
            fields << field;
        fields << nullptr << &unbound_ << &Effects().FieldByName(QStringLiteral("EndOnTurn"));
        return fields;
    }

    TIntegerField unbound_;
};

TEST_F(ReadColumnsTest, GivesWhatTheWalkGives) {
    struct Case {
        const char* label;
        std::vector<Sample> samples;
    };
    const Case cases[] = {
        {"no record", {}},
        {"blanks and multi-byte text", FewSamples()},
        {"several blocks", ManySamples()},
    };
    RecordColumns last;
    for (const Case& c : cases) {
        for (const bool filtered : {false, true}) {
            SCOPED_TRACE(std::string(c.label) + (filtered ? ", filtered" : ""));
            TWorkingView& view = Init();
            view.SetFiltered(false);
            view.SetFilter(QStringLiteral("[Active] = True"));
            while (!view.IsEmpty())
                view.Delete();
            for (const Sample& sample : c.samples)
                Add(view, sample);
            view.SetFiltered(filtered);

            const QList<const TField*> fields = Asked();
            const RecordColumns read = view.ReadColumns(fields);
            ASSERT_EQ(read.Columns.size(), static_cast<std::size_t>(fields.size()));
            EXPECT_EQ(read.BookmarkSize, 4u);
            for (std::size_t i = 0; i < read.Columns.size(); ++i)
                EXPECT_EQ(read.Columns[i].Type, fields[static_cast<qsizetype>(i)]
                                                    ? fields[static_cast<qsizetype>(i)]->DataType()
                                                    : engine::FieldType::Integer);
            const QStringList walked = FromWalk(view, fields);
            EXPECT_EQ(FromColumns(read), walked);
            const auto stored = static_cast<qsizetype>(c.samples.size());
            EXPECT_EQ(walked.size() < stored, filtered && stored > 0) << "the filter hides some";

            // Again into the memory of the last read, with the fields the other way round: none
            // of what that read held may show through.
            const QList<const TField*> reversed(fields.crbegin(), fields.crend());
            last = view.ReadColumns(reversed, std::move(last));
            EXPECT_EQ(FromColumns(last), FromWalk(view, reversed));
        }
    }
}

TEST_F(ReadColumnsTest, LeavesTheRecordTheStateAndTheControlsAsTheyWere) {
    struct Case {
        const char* label;
        void (*stand)(TWorkingView& view);
    };
    const Case cases[] = {
        {"on the first record", [](TWorkingView& view) { view.First(); }},
        {"on a middle record",
         [](TWorkingView& view) {
             view.First();
             view.Next();
         }},
        {"past the last record",
         [](TWorkingView& view) {
             view.First();
             view.MoveBy(5);
             view.Next();
         }},
        {"editing",
         [](TWorkingView& view) {
             view.First();
             view.Next();
             view.Edit();
             Set(view, "Name", QStringLiteral("typed"));
         }},
        {"inserting",
         [](TWorkingView& view) {
             view.First();
             view.Insert();
             Set(view, "Name", QStringLiteral("typed"));
         }},
    };
    CountingLink link;
    Component<TDataSource>("dsInit").AddLink(&link);
    TWorkingView& view = Init();
    Fill(view, {"A", "B", "C"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        view.Cancel();
        c.stand(view);
        const int states = link.States;
        const int dataSets = link.DataSets;
        const QByteArray bookmark = view.GetBookmark();
        const TDataSetState state = view.State();
        const bool bof = view.Bof();
        const bool eof = view.Eof();
        const bool modified = view.Modified();
        const QVariant name = Get(view, "Name");

        const RecordColumns read = view.ReadColumns({&view.FieldByName(QStringLiteral("Name"))});
        EXPECT_EQ(FromColumns(read).size(), 3) << "stored records only";
        EXPECT_EQ(view.GetBookmark(), bookmark);
        EXPECT_EQ(view.State(), state);
        EXPECT_EQ(view.Bof(), bof);
        EXPECT_EQ(view.Eof(), eof);
        EXPECT_EQ(view.Modified(), modified);
        EXPECT_EQ(Get(view, "Name"), name);
        EXPECT_EQ(link.States, states);
        EXPECT_EQ(link.DataSets, dataSets);
    }
    view.Cancel();
    view.First();
    view.Next();
    view.ReadColumns({&view.FieldByName(QStringLiteral("Name"))});
    view.Next();
    EXPECT_EQ(CurrentName(view), "C") << "the engine's cursor is where the view left it";
    Component<TDataSource>("dsInit").RemoveLink(&link);
}

TEST_F(ReadColumnsTest, ReadingAllGivesTheRecordsTheFilterHidesAndLeavesItInForce) {
    TWorkingView& view = Init();
    Fill(view, {"A", "B", "C", "D"});
    view.First();
    view.Edit();
    Set(view, "Active", false);
    view.Post();
    view.SetFilter(QStringLiteral("[Active] = True"));
    view.SetFiltered(true);
    view.Next();
    ASSERT_EQ(CurrentName(view), "C");
    const QList<const TField*> name{&view.FieldByName(QStringLiteral("Name"))};
    const QStringList visible = FromColumns(view.ReadColumns(name));

    const QStringList all = FromColumns(view.ReadAllColumns(name));
    ASSERT_EQ(all.size(), 4);
    EXPECT_TRUE(all[0].endsWith(QStringLiteral("|A")));
    EXPECT_EQ(all.mid(1), visible);
    EXPECT_EQ(FromColumns(view.ReadColumns(name)), visible) << "the filter is back";
    EXPECT_EQ(CurrentName(view), "C");
    view.Next();
    EXPECT_EQ(CurrentName(view), "D") << "the engine's cursor is where the view left it";
    view.SetFiltered(false);
    EXPECT_EQ(FromColumns(view.ReadAllColumns(name)), all) << "unfiltered, all is what shows";
}

TEST_F(ReadColumnsTest, AClosedViewAndAFloatFieldAreRefused) {
    TWorkingView& view = Init();
    const TField* name = &view.FieldByName(QStringLiteral("Name"));
    view.Close();
    EXPECT_EQ(ErrorOf([&] { view.ReadColumns({name}); }),
              "wvInit: Cannot perform this operation on a closed dataset");

    QObject form;
    auto* store = new TMemTable(&form);
    (new TField(store, engine::FieldType::Float))->SetFieldName(QStringLiteral("Rate"));
    TWorkingView* rates = &ViewOver(form, *store, "prvRates", "wvRates").View;
    rates->Open();
    const TField* rate = &rates->FieldByName(QStringLiteral("Rate"));
    EXPECT_EQ(ErrorOf([&] {
                  rates->ReadColumns({nullptr, rate});
              }),
              "wvRates: Field 'Rate' is a Float field, which is not read by columns");
}

} // namespace
} // namespace trevalo::test
