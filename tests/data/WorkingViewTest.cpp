// The working view's operations one by one, on the combatant chain; records are told apart by
// their names.
#include "tests/support/DataChain.h"

namespace trevalo::test {
namespace {

using WorkingViewTest = DataChainTest;

TEST_F(WorkingViewTest, FirstAndNextSetTheEndFlagOnlyWhenTheyFindNoRecord) {
    TWorkingView& view = Init();
    view.First();
    EXPECT_TRUE(view.Eof());
    view.Next();
    EXPECT_TRUE(view.Eof());
    EXPECT_TRUE(view.IsEmpty());

    Fill(view, {"A", "B", "C"});
    QStringList seen;
    for (view.First(); !view.Eof(); view.Next())
        seen << CurrentName(view);
    EXPECT_EQ(seen, (QStringList{"A", "B", "C"}));
    EXPECT_EQ(CurrentName(view), "C") << "the last record stays current";
    view.Next();
    EXPECT_TRUE(view.Eof());
    EXPECT_EQ(CurrentName(view), "C");
    view.First();
    EXPECT_FALSE(view.Eof());
    EXPECT_EQ(CurrentName(view), "A");
}

TEST_F(WorkingViewTest, EditWhileEditingDoesNothingAndOnAnEmptyViewInserts) {
    TWorkingView& view = Init();
    view.Edit();
    EXPECT_EQ(view.State(), TDataSetState::dsInsert);
    EXPECT_EQ(Get(view, "Active"), true);
    Set(view, "Name", QStringLiteral("A"));
    view.Edit();
    EXPECT_EQ(view.State(), TDataSetState::dsInsert);
    EXPECT_EQ(Get(view, "Name"), QStringLiteral("A"));
    view.Post();
    EXPECT_EQ(Names(view), QStringList{"A"});

    view.Edit();
    EXPECT_EQ(view.State(), TDataSetState::dsEdit);
    EXPECT_FALSE(view.Modified());
    Set(view, "Name", QStringLiteral("A2"));
    EXPECT_TRUE(view.Modified());
    view.Edit();
    EXPECT_TRUE(view.Modified());
    EXPECT_EQ(Get(view, "Name"), QStringLiteral("A2"));
}

TEST_F(WorkingViewTest, InsertStandsInFrontOfTheCurrentRecord) {
    struct Case {
        int steps; ///< Next calls from the first record; 3 runs past the end of A, B, C
        QStringList expected;
    };
    for (const Case& row : {Case{0, {"N", "A", "B", "C"}}, Case{1, {"A", "N", "B", "C"}},
                            Case{2, {"A", "B", "N", "C"}}, Case{3, {"A", "B", "N", "C"}}}) {
        SCOPED_TRACE(row.steps);
        TWorkingView& view = Init();
        while (!view.IsEmpty())
            view.Delete();
        Fill(view, {"A", "B", "C"});
        for (int i = 0; i < row.steps; ++i)
            view.Next();
        view.Insert();
        Set(view, "Name", QStringLiteral("N"));
        view.Post();
        EXPECT_EQ(CurrentName(view), "N");
        EXPECT_EQ(Names(view), row.expected);
    }
}

TEST_F(WorkingViewTest, FieldsAreFoundWithoutRegardToCase) {
    TWorkingView& view = Init();
    for (const char* name : {"active", "ACTIVE", "aCtIvE"})
        EXPECT_EQ(view.FindField(QLatin1String(name)), view.FindField(QStringLiteral("Active")));
    EXPECT_EQ(view.FieldByName(QStringLiteral("passes")).FieldName(), "Passes");
    EXPECT_EQ(Effects().FieldByName(QStringLiteral("endonturn")).FieldName(), "EndOnTurn");
    EXPECT_EQ(ErrorOf([&] { view.FieldByName(QStringLiteral("Act")); }),
              "wvInit: Field 'Act' not found");
}

TEST_F(WorkingViewTest, RefusedWritesNameTheirCauseAndChangeNothing) {
    TWorkingView& view = Init();
    Fill(view, {"A"});
    EXPECT_EQ(ErrorOf([&] { Set(view, "Init", 3); }), "wvInit: Dataset not in edit or insert mode");
    view.Edit();
    EXPECT_EQ(ErrorOf([&] { Set(view, "RecId", 3); }), "Field 'RecId' cannot be modified");
    EXPECT_FALSE(view.Modified());
    EXPECT_TRUE(Get(view, "RecId").isNull());
    view.Post();
    EXPECT_EQ(ErrorOf([&] { view.Post(); }), "wvInit: Dataset not in edit or insert mode");
}

TEST_F(WorkingViewTest, PostReplacesInPlaceAndCancelDropsTheCopy) {
    TWorkingView& view = Init();
    Fill(view, {"A", "B", "C"});
    view.Next();
    view.Edit();
    Set(view, "Name", QStringLiteral("B2"));
    view.Post();
    EXPECT_EQ(view.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(CurrentName(view), "B2");
    EXPECT_EQ(Names(view), (QStringList{"A", "B2", "C"}));

    view.Edit();
    Set(view, "Name", QStringLiteral("X"));
    view.Cancel();
    EXPECT_EQ(view.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(CurrentName(view), "B2");

    view.Insert();
    Set(view, "Name", QStringLiteral("Y"));
    view.Cancel();
    EXPECT_EQ(CurrentName(view), "B2") << "back on the record the insert was begun at";
    EXPECT_EQ(Names(view), (QStringList{"A", "B2", "C"}));

    view.Cancel();
    EXPECT_EQ(CurrentName(view), "B2") << "Cancel while browsing does nothing";
}

TEST_F(WorkingViewTest, DeleteMakesTheFollowingRecordCurrentElseThePreviousElseNone) {
    struct Case {
        QStringList records;
        int steps; ///< Next calls from the first record
        QStringList left;
        const char* current;
    };
    for (const Case& row :
         {Case{{"A", "B", "C"}, 0, {"B", "C"}, "B"}, Case{{"A", "B", "C"}, 1, {"A", "C"}, "C"},
          Case{{"A", "B", "C"}, 2, {"A", "B"}, "B"}, Case{{"A"}, 0, {}, "<none>"}}) {
        SCOPED_TRACE(row.records.join(u',').toStdString() + " at " + std::to_string(row.steps));
        TWorkingView& view = Init();
        Fill(view, row.records);
        for (int i = 0; i < row.steps; ++i)
            view.Next();
        view.Delete();
        EXPECT_EQ(CurrentName(view), row.current);
        EXPECT_EQ(view.Eof(), row.left.isEmpty());
        EXPECT_EQ(Names(view), row.left);
        while (!view.IsEmpty())
            view.Delete();
    }
}

TEST_F(WorkingViewTest, DeleteWhileInsertingCancelsAndWhileEditingDropsTheEdit) {
    TWorkingView& view = Init();
    EXPECT_EQ(ErrorOf([&] { view.Delete(); }),
              "wvInit: Cannot perform this operation on an empty dataset");
    view.Insert();
    Set(view, "Name", QStringLiteral("N"));
    view.Delete();
    EXPECT_TRUE(view.IsEmpty());
    EXPECT_EQ(view.State(), TDataSetState::dsBrowse);

    Fill(view, {"A", "B"});
    view.Insert();
    Set(view, "Name", QStringLiteral("N"));
    view.Delete();
    EXPECT_EQ(Names(view), (QStringList{"A", "B"})) << "nothing deleted";
    EXPECT_EQ(CurrentName(view), "A");

    view.Edit();
    Set(view, "Name", QStringLiteral("A2"));
    view.Delete();
    EXPECT_EQ(view.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Names(view), QStringList{"B"});
    EXPECT_EQ(CurrentName(view), "B");
}

TEST_F(WorkingViewTest, ABookmarkLeadsBackUnlessItsRecordIsGoneOrHidden) {
    TWorkingView& view = Init();
    Fill(view, {"A", "B", "C"});
    view.Next();
    const QByteArray b = view.GetBookmark();
    view.Next();
    const QByteArray c = view.GetBookmark();
    view.First();
    view.GotoBookmark(b);
    EXPECT_EQ(CurrentName(view), "B");

    view.Edit();
    Set(view, "Active", false);
    view.GotoBookmark(c); // settles: B is stored inactive
    EXPECT_EQ(CurrentName(view), "C");
    view.SetFilter(QStringLiteral("[Active] = True and [Passes] >= 1"));
    view.SetFiltered(true);
    view.GotoBookmark(c);
    EXPECT_EQ(ErrorOf([&] { view.GotoBookmark(b); }), "wvInit: Record not found");
    EXPECT_EQ(CurrentName(view), "C") << "a failed go-to stays put";
    view.Delete();
    EXPECT_EQ(ErrorOf([&] { view.GotoBookmark(c); }), "wvInit: Record not found");
    EXPECT_EQ(CurrentName(view), "A");
    view.Next();
    EXPECT_TRUE(view.Eof()) << "the cursor is still on A after the failed go-to";
}

TEST_F(WorkingViewTest, NotificationsOffAreCountedAndTheGridIsToldOnceAtZero) {
    TWorkingView& view = Init();
    CountingLink link;
    Component<TDataSource>("dsInit").AddLink(&link);
    view.DisableControls();
    view.DisableControls();
    AddCombatant(view, QStringLiteral("A"));
    view.First();
    view.Edit();
    view.Cancel();
    EXPECT_EQ(link.DataSets, 0);
    EXPECT_EQ(link.States, 4) << "changes of state still reach the grid";
    view.EnableControls();
    EXPECT_EQ(link.DataSets, 0);
    view.EnableControls();
    EXPECT_EQ(link.DataSets, 1);
    view.EnableControls();
    EXPECT_EQ(link.DataSets, 1) << "an unmatched call does nothing";
    view.First();
    EXPECT_EQ(link.DataSets, 2);
    Component<TDataSource>("dsInit").RemoveLink(&link);
}

TEST_F(WorkingViewTest, ASuspendedSourceIsCountedAndTellsItsControlsOnceAtZero) {
    TWorkingView& view = Init();
    TDataSource& source = Component<TDataSource>("dsInit");
    CountingLink link;
    source.AddLink(&link);
    source.Suspend();
    source.Suspend();
    AddCombatant(view, QStringLiteral("A"));
    view.First();
    view.Edit();
    Set(view, "Name", QStringLiteral("B"));
    view.Post();
    view.MoveBy(1);
    source.Resume();
    EXPECT_EQ(link.States + link.DataSets, 0) << "not even the changes of state";
    source.Resume();
    EXPECT_EQ(link.States, 0);
    EXPECT_EQ(link.DataSets, 1);
    source.Resume();
    EXPECT_EQ(link.DataSets, 1) << "an unmatched call does nothing";
    view.First();
    EXPECT_EQ(link.DataSets, 2);
    source.RemoveLink(&link);
}

// Every value is checked as it is written into the copy, so a refused one never reaches Post.
TEST_F(WorkingViewTest, ARefusedValueLeavesTheCopyAsTypedForPostOrCancel) {
    const QString tooLong(51, u'x');
    for (const bool insert : {true, false}) {
        for (const bool post : {true, false}) {
            SCOPED_TRACE(std::string(insert ? "insert" : "edit") + (post ? ", post" : ", cancel"));
            TWorkingView& view = Init();
            while (!view.IsEmpty())
                view.Delete();
            Fill(view, {"A"});
            insert ? view.Insert() : view.Edit();
            const auto refuse = [&] {
                EXPECT_EQ(ErrorOf<EEngineError>([&] { Set(view, "Name", tooLong); }),
                          "Value too long for field");
                EXPECT_EQ(ErrorOf([&] { Set(view, "Init", QStringLiteral("five")); }),
                          "'five' is not a valid integer value for field 'Init'");
            };
            refuse();
            EXPECT_FALSE(view.Modified()) << "a refused value modifies nothing";
            Set(view, "Name", QStringLiteral("Ann"));
            Set(view, "Init", 5);
            refuse();
            EXPECT_EQ(view.State(), insert ? TDataSetState::dsInsert : TDataSetState::dsEdit);
            EXPECT_EQ(Get(view, "Name"), QStringLiteral("Ann"));
            EXPECT_EQ(Get(view, "Init"), 5);
            post ? view.Post() : view.Cancel();
            const QStringList expected = !post    ? QStringList{"A"}
                                         : insert ? QStringList{"Ann", "A"}
                                                  : QStringList{"Ann"};
            EXPECT_EQ(Names(view), expected);
        }
    }
}

TEST_F(WorkingViewTest, AnIntegerFieldReadsTextAndNumbersByTheGridEditorsRule) {
    struct Case {
        QVariant value;
        QVariant stored; ///< null for blank; a string for the message expected
    };
    const Case cases[] = {
        {QStringLiteral("$1F"), 31},
        {QStringLiteral(" -12"), -12},
        {QStringLiteral("0x7fffffff"), 2147483647},
        {QStringLiteral(""), QVariant()},
        {-2147483648LL, -2147483647 - 1},
        {7, 7},
        {QStringLiteral("12 "),
         QStringLiteral("'12 ' is not a valid integer value for field 'Init'")},
        {2147483648LL,
         QStringLiteral("'2147483648' is not a valid integer value for field 'Init'")},
    };
    TWorkingView& view = Init();
    Fill(view, {"A"});
    for (const Case& row : cases) {
        SCOPED_TRACE(row.value.toString().toStdString());
        view.Edit();
        Set(view, "Init", 1);
        if (row.stored.typeId() == QMetaType::QString) {
            EXPECT_EQ(ErrorOf([&] { Set(view, "Init", row.value); }),
                      row.stored.toString().toStdString());
            EXPECT_EQ(Get(view, "Init"), 1) << "a refused value leaves the field as it was";
        } else {
            Set(view, "Init", row.value);
            EXPECT_EQ(Get(view, "Init"), row.stored);
        }
        view.Cancel();
    }
}

TEST_F(WorkingViewTest, AStringOfTheFullWidthReadsBackWhole) {
    TWorkingView& view = Init();
    QString wide;
    for (int i = 0; i < 50; ++i)
        wide += QString::fromUcs4(U"\U0001F642", 1);
    const QString plain(50, u'z');
    for (const QString& name : {wide, plain}) {
        view.Insert();
        Set(view, "Name", name);
        view.Post();
        view.First();
        EXPECT_EQ(Get(view, "Name"), name);
    }
}

// Half a surrogate pair is no character: written, it would read back as another text.
TEST_F(WorkingViewTest, AStringWithHalfAPairIsRefused) {
    TWorkingView& view = Init();
    Fill(view, {"A"});
    const QString dragon = QString::fromUcs4(U"\U0001F409", 1);
    for (const QString& broken :
         {QStringLiteral("Ke") + dragon.at(0), dragon.at(1) + QStringLiteral("x")}) {
        view.Edit();
        EXPECT_EQ(ErrorOf([&] { Set(view, "Name", broken); }),
                  ("'" + broken + "' is not a valid string value for field 'Name'").toStdString());
        EXPECT_FALSE(view.Modified());
        view.Cancel();
    }
    EXPECT_EQ(Names(view), QStringList{"A"});
}

} // namespace
} // namespace trevalo::test
