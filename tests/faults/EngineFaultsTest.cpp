// A session on the main window with the engine's Nth allocation failing, for every N until the
// session runs through: each failure reaches the user as the engine's message in the error box,
// the program goes on, and the tables hold what was stored before it, nothing more or less.
#include "components/controls/TMainMenu.h"
#include "components/data/TField.h"
#include "components/data/TWorkingView.h"
#include "platform/Failures.h"
#include "platform/TApplication.h"
#include "tests/support/ChildOf.h"
#include "tracker/frmTrevaloProg.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <tuple>

namespace trevalo {
namespace {

// Far beyond the allocations of the session, so that a count that never ends is caught.
constexpr std::uint64_t kMostAllocations = 10'000;

/// The counting exports of the engine's test copy, which stands beside this test.
struct Injection {
    void (*Fail)(std::uint64_t count);
    std::uint64_t (*Made)();
};

const Injection& Engine() {
    static QLibrary library(QCoreApplication::applicationDirPath() + "/libtrevalo_engine.so");
    static const Injection injection = [] {
        if (!library.load())
            throw std::runtime_error(library.errorString().toStdString());
        return Injection{
            reinterpret_cast<void (*)(std::uint64_t)>(library.resolve("FailEngineAllocation")),
            reinterpret_cast<std::uint64_t (*)()>(library.resolve("EngineAllocations"))};
    }();
    return injection;
}

/// What the tables hold, each record as text, in stored order.
struct Store {
    QStringList Combatants;
    QStringList Effects;
    friend bool operator==(const Store&, const Store&) = default;
};

QString Text(const Store& store) {
    return store.Combatants.join(u' ') + QStringLiteral(" | ") + store.Effects.join(u' ');
}

/// One thing the user does, and what it stores when it succeeds.
struct Step {
    const char* Name;
    std::function<void()> Act;
    std::function<void(Store&)> Stores;
    QString Filter =
        {}; ///< the combatants' filter it puts in force; empty: it keeps the one before
};

class EngineFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Engine().Fail && Engine().Made);
        QObject::connect(&answering_, &QTimer::timeout, [this] { Answer(); });
        answering_.start(2);
    }
    void TearDown() override {
        Engine().Fail(0);
        CloseWindow();
    }

    // Error boxes are noted and closed; the question of New Turn is answered yes.
    void Answer() {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || !box->isVisible())
            return;
        if (const auto* error = qobject_cast<QMessageBox*>(box))
            errors_.append(error->text());
        QTest::keyClick(box, Qt::Key_Return);
    }

    TWorkingView& View(const char* name) const {
        return test::ChildOf<TWorkingView>(*main_, QLatin1String(name));
    }

    void AddCombatant(const QString& name, int init) {
        TWorkingView& view = View("wvInit");
        view.Insert();
        view.FieldByName(QStringLiteral("Name")).SetValue(name);
        view.FieldByName(QStringLiteral("Init")).SetValue(init);
        view.Post();
    }

    void ClickMenu(const char* name) {
        auto& item = test::ChildOf<TMenuItem>(*main_, QLatin1String(name));
        QMenuBar* bar = main_->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(&item).center());
        QApplication::processEvents();
    }

    std::vector<Step> Session() {
        const auto combatant = [](const char* name, int init, bool active = true) {
            return QStringLiteral("%1/%2/%3")
                .arg(QLatin1String(name))
                .arg(init)
                .arg(active ? QStringLiteral("True") : QStringLiteral("False"));
        };
        const QString passFilter = QStringLiteral("[Active] = True and [Passes] >= 1");
        return {
            {"open both tables",
             [this] {
                 main_ = std::make_unique<TfrmTrevaloMain>(frmTrevaloMain);
                 main_->show();
             },
             [](Store&) {}, passFilter},
            {"add Ann", [this] { AddCombatant(QStringLiteral("Ann"), 5); },
             [=](Store& s) { s.Combatants.prepend(combatant("Ann", 5)); }},
            {"add Bo", [this] { AddCombatant(QStringLiteral("Bo"), 7); },
             [=](Store& s) { s.Combatants.prepend(combatant("Bo", 7)); }},
            {"add an effect",
             [this] {
                 TWorkingView& view = View("wvEffects");
                 view.Insert();
                 view.FieldByName(QStringLiteral("EffectName")).SetValue(QStringLiteral("Haste"));
                 view.FieldByName(QStringLiteral("EndOnTurn")).SetValue(1);
                 view.Post();
             },
             [](Store& s) { s.Effects.prepend(QStringLiteral("Haste")); }},
            {"filter", [=, this] { View("wvInit").SetFilter(passFilter + " and [Init] >= 6"); },
             [](Store&) {}, passFilter + " and [Init] >= 6"},
            {"walk",
             [this] {
                 TWorkingView& view = View("wvInit");
                 for (view.First(); !view.Eof(); view.Next()) {
                 }
             },
             [](Store&) {}},
            {"filter back", [=, this] { View("wvInit").SetFilter(passFilter); }, [](Store&) {},
             passFilter},
            {"delete Ann",
             [this] {
                 TWorkingView& view = View("wvInit");
                 for (view.First();
                      !view.Eof() && view.FieldByName(QStringLiteral("Name")).AsString() != "Ann";)
                     view.Next();
                 view.Delete();
             },
             [=](Store& s) { s.Combatants.removeAll(combatant("Ann", 5)); }},
            {"New Turn", [this] { ClickMenu("NewTurn1"); },
             [=](Store& s) {
                 s.Combatants = {combatant("Bo", 0)};
                 s.Effects.clear();
             }},
        };
    }

    /// The tables as stored, read with every filter off and nothing left in editing.
    Store Read() {
        Store store;
        for (const auto& [view, field, list] :
             {std::tuple{"wvInit", "Name", &store.Combatants},
              std::tuple{"wvEffects", "EffectName", &store.Effects}}) {
            TWorkingView& data = View(view);
            data.Cancel();
            data.SetFiltered(false);
            for (data.First(); !data.Eof(); data.Next()) {
                if (list == &store.Effects) {
                    list->append(data.FieldByName(QLatin1String(field)).AsString());
                    continue;
                }
                list->append(QStringLiteral("%1/%2/%3")
                                 .arg(data.FieldByName(QStringLiteral("Name")).AsString(),
                                      data.FieldByName(QStringLiteral("Init")).AsString(),
                                      data.FieldByName(QStringLiteral("Active")).AsString()));
            }
        }
        return store;
    }

    void CloseWindow() {
        main_.reset();
        frmTrevaloMain = nullptr;
    }

    std::unique_ptr<TfrmTrevaloMain> main_;
    QStringList errors_;
    QTimer answering_;
};

TEST_F(EngineFaults, EveryAllocationFailureIsReportedAndLosesNothingStored) {
    std::uint64_t failing = 1;
    for (;; ++failing) {
        ASSERT_LT(failing, kMostAllocations) << "the session never ran through";
        SCOPED_TRACE(testing::Message() << "allocation " << failing);
        errors_.clear();
        Store stored;
        const std::vector<Step> session = Session();
        auto step = session.begin();
        Engine().Fail(failing);
        QString filter; ///< the combatants' filter in force before the step
        for (; step != session.end(); ++step) {
            filter = main_ ? View("wvInit").Filter() : QString();
            if (!Guard(step->Act) && !main_)
                frmTrevaloMain = nullptr;
            QApplication::processEvents();
            if (!errors_.isEmpty())
                break;
            step->Stores(stored);
        }
        const bool failed = step != session.end();
        Engine().Fail(0);
        if (failed) {
            SCOPED_TRACE(step->Name);
            EXPECT_EQ(errors_.join(u'|').toStdString(), "Not enough memory.");
            if (main_ && std::string(step->Name) != "New Turn") {
                EXPECT_TRUE(View("wvInit").Filtered());
                // The step may have done all it does when the failure comes, as the fight is
                // read to keep the step for undo.
                const QString done = step->Filter.isEmpty() ? filter : step->Filter;
                const QString shown = View("wvInit").Filter();
                EXPECT_TRUE(shown == filter || shown == done)
                    << "the filter in force stays, or is the step's: " << shown.toStdString();
            }
            if (main_) {
                // So too what it stores; New Turn stores record by record and table by table,
                // and a failure in it may come after any of them.
                Store after = stored;
                step->Stores(after);
                const Store read = Read();
                const bool newTurn = std::string(step->Name) == "New Turn";
                const auto either = [](const QStringList& read, const QStringList& before,
                                       const QStringList& after) {
                    return read == before || read == after;
                };
                EXPECT_TRUE(read == stored || read == after ||
                            (newTurn &&
                             either(read.Combatants, stored.Combatants, after.Combatants) &&
                             either(read.Effects, stored.Effects, after.Effects)))
                    << "read " << Text(read).toStdString() << "\nstored "
                    << Text(stored).toStdString();
            }
        }
        CloseWindow();
        if (!failed)
            break;
        if (HasFailure())
            return;
    }
    EXPECT_GT(failing, 1u);
    std::cout << "the session runs through from allocation " << failing << " on" << std::endl;
}

} // namespace
} // namespace trevalo
