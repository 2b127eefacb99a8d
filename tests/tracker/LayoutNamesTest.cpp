// Names a layout writes are checked as it loads: a misspelt editor class, label layout or glyph,
// and a navigator button that does nothing made visible, each fail with the name.
#include "components/forms/LayoutLoader.h"
#include "components/forms/TForm.h"
#include "components/grid/view/TDBColumn.h"
#include "platform/Exception.h"
#include "tracker/RegisterComponents.h"

#include <cctype>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace trevalo {
namespace {

// A table view whose navigator shows Refresh as \p refresh says and hides the other buttons
// without an action, as the tracker's layout does, with \p more settings after them.
QByteArray TableView(const char* refresh, const char* more = "") {
    return QByteArray(R"({"class": "TDBTableView", "name": "tv", "properties": {
        "NavigatorButtons.SaveBookmark.Visible": false,
        "NavigatorButtons.GotoBookmark.Visible": false, "NavigatorButtons.Filter.Visible": false,
        "NavigatorButtons.Refresh.Visible": )") +
           refresh + more + "}}";
}

QByteArray Form(const QByteArray& child) {
    return R"({"class": "TForm", "name": "frm", "children": [)" + child + "]}";
}

QString LoadError(const QByteArray& layout) {
    RegisterComponents();
    TForm form;
    LayoutLoader loader(form, [](const QString&) -> const TNotifyEvent* { return nullptr; });
    try {
        loader.Load(layout);
    } catch (const Exception& error) {
        return error.Message();
    }
    return QStringLiteral("no error");
}

struct Case {
    const char* label;
    QByteArray layout;
    const char* message;
};

void PrintTo(const Case& row, std::ostream* out) {
    *out << row.label;
}

class LayoutNames : public testing::TestWithParam<Case> {};

TEST_P(LayoutNames, AreCheckedAsTheLayoutLoads) {
    EXPECT_EQ(LoadError(Form(GetParam().layout)), QString::fromLatin1(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LayoutNames,
    testing::Values(
        Case{"known editor classes and a bundled glyph",
             R"({"class": "TDBColumn", "name": "a", "properties": {
                 "PropertiesClassName": "TButtonEditProperties",
                 "Properties.Glyph": ":/tracker/DoneGlyph.png"}},
                {"class": "TDBColumn", "name": "b",
                 "properties": {"PropertiesClassName": "TCheckBoxProperties"}},
                {"class": "TDBColumn", "name": "c",
                 "properties": {"PropertiesClassName": "TTextEditProperties"}},
                {"class": "TStyledLabel", "name": "l", "properties": {"Layout": "tlCenter"}},)" +
                 TableView("false"),
             "no error"},
        Case{"a misspelt editor class",
             R"({"class": "TDBColumn", "name": "col",
                 "properties": {"PropertiesClassName": "TButonEditProperties"}})",
             "Error reading col.PropertiesClassName: Class TButonEditProperties not found"},
        Case{"a misspelt label layout",
             R"({"class": "TStyledLabel", "name": "lbl", "properties": {"Layout": "tlMiddle"}})",
             "Error reading lbl.Layout: Invalid property value: tlMiddle"},
        Case{"a missing glyph",
             R"({"class": "TDBColumn", "name": "col",
                 "properties": {"Properties.Glyph": ":/tracker/NoSuchGlyph.png"}})",
             "Error reading col.Properties.Glyph: Glyph :/tracker/NoSuchGlyph.png not found"},
        Case{"the Refresh button shown", TableView("true"),
             "Error reading tv.NavigatorButtons.Refresh.Visible: Must be False: the button does "
             "nothing"},
        Case{"the Filter button left at its default",
             R"({"class": "TDBTableView", "name": "tv", "properties": {
                 "NavigatorButtons.Refresh.Visible": false,
                 "NavigatorButtons.SaveBookmark.Visible": false,
                 "NavigatorButtons.GotoBookmark.Visible": false}})",
             "Error reading tv.NavigatorButtons.Filter.Visible: Must be False: the button does "
             "nothing"},
        Case{"settings that have no effect are accepted",
             R"({"class": "TDBColumn", "name": "col", "properties": {"Options.IncSearch": false,
                 "Properties.DisplayGrayed": "?"}},
                {"class": "TWorkingView", "name": "wv", "properties": {"PacketRecords": 10}},)" +
                 TableView("false", R"(, "NavigatorButtons.ConfirmDelete": true)"),
             "no error"}),
    [](const testing::TestParamInfo<Case>& info) {
        std::string name;
        for (const char c : std::string(info.param.label))
            if (std::isalnum(static_cast<unsigned char>(c)))
                name += c;
        return name;
    });

TEST(LayoutNames, AColumnsEditorClassDecidesItsCells) {
    TDBColumn column;
    EXPECT_EQ(column.CellKind(), TDBColumn::Kind::Text);
    column.SetPropertiesClassName(QStringLiteral("TCheckBoxProperties"));
    EXPECT_EQ(column.CellKind(), TDBColumn::Kind::CheckBox);
    column.SetPropertiesClassName(QStringLiteral("TButtonEditProperties"));
    EXPECT_EQ(column.CellKind(), TDBColumn::Kind::Button);
    EXPECT_THROW(column.SetPropertiesClassName(QStringLiteral("tbuttoneditproperties")), Exception);
    EXPECT_EQ(column.CellKind(), TDBColumn::Kind::Button) << "a refused name changes nothing";
    EXPECT_EQ(column.PropertiesClassName(), QStringLiteral("TButtonEditProperties"));
}

} // namespace
} // namespace trevalo
