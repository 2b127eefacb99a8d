// Seeded random runs of edits, moves and filter changes on the combatant view, each step checked
// against the plain reference model: state, end flag, the values in sight, the visible records in
// order, read record by record and column by column, and the place of the current one.
#include "tests/data/ViewModel.h"
#include "tests/support/DataChain.h"
#include "tests/support/RandomRun.h"

#include <map>
#include <random>

namespace trevalo::test {
namespace {

// Each sequence starts from an empty view, so that the table stays small enough to walk at every
// step; sequence i runs from seed TREVALO_SEED + i.
constexpr int kSteps = 60;
constexpr std::uint64_t kStepsInTest = 102'000;

const std::vector<ModelFilter>& Filters() {
    static const std::vector<ModelFilter> filters{
        {QString(), nullptr},
        {QStringLiteral("[Active] = True and [Passes] >= 1"),
         [](const Combatant& c) { return c.active == false || (c.passes && *c.passes < 1); }},
        {QStringLiteral("[Active] = True and [Passes] >= 2"),
         [](const Combatant& c) { return c.active == false || (c.passes && *c.passes < 2); }},
        {QStringLiteral("[Init] >= 10"), [](const Combatant& c) { return c.init && *c.init < 10; }},
        {QStringLiteral("[Name] = 'b' or not [Active]"),
         [](const Combatant& c) { return c.name && *c.name != "b" && c.active == true; }},
    };
    return filters;
}

Combatant Read(const TWorkingView& view) {
    Combatant combatant;
    if (const QVariant name = Get(view, "Name"); !name.isNull())
        combatant.name = name.toString();
    if (const QVariant init = Get(view, "Init"); !init.isNull())
        combatant.init = init.toInt();
    if (const QVariant active = Get(view, "Active"); !active.isNull())
        combatant.active = active.toBool();
    if (const QVariant passes = Get(view, "Passes"); !passes.isNull())
        combatant.passes = passes.toInt();
    return combatant;
}

/// The visible records read column by column, which sees the stored records in every state.
std::vector<Combatant> ReadColumns(const TWorkingView& view) {
    const auto field = [&](const char* name) { return &view.FieldByName(QLatin1String(name)); };
    const RecordColumns read =
        view.ReadColumns({field("Name"), field("Init"), field("Active"), field("Passes")});
    const ValueColumn& name = read.Columns[0];
    const ValueColumn& init = read.Columns[1];
    const ValueColumn& active = read.Columns[2];
    const ValueColumn& passes = read.Columns[3];
    std::vector<Combatant> combatants(static_cast<std::size_t>(read.Count));
    for (std::size_t i = 0; i < combatants.size(); ++i) {
        Combatant& combatant = combatants[i];
        if (!name.Blank[i])
            combatant.name = QString::fromUtf8(name.Utf8(static_cast<int>(i)));
        if (!init.Blank[i])
            combatant.init = init.Numbers[i];
        if (!active.Blank[i])
            combatant.active = active.Numbers[i] == 1;
        if (!passes.Blank[i])
            combatant.passes = passes.Numbers[i];
    }
    return combatants;
}

QString Describe(const std::vector<Combatant>& combatants) {
    QStringList parts;
    for (const Combatant& combatant : combatants)
        parts << Describe(combatant);
    return parts.join(QStringLiteral(", "));
}

class ModelRun {
public:
    ModelRun(TWorkingView& view, unsigned seed)
        : view_(view)
        , random_(seed) {}

    ::testing::AssertionResult Run() {
        for (int step = 0; step < kSteps; ++step) {
            const std::string fromView = Step();
            if (fromView != expectedError_)
                return Fail(QStringLiteral("error: view \"%1\", model \"%2\"")
                                .arg(QString::fromStdString(fromView),
                                     QString::fromStdString(expectedError_)));
            if (auto checked = Check(); !checked)
                return checked;
        }
        return ::testing::AssertionSuccess();
    }

private:
    template <class F> std::string Do(const QString& label, F&& onView) {
        log_ << label;
        const std::string error = ErrorOf(std::forward<F>(onView));
        return error == kNoError ? std::string() : error;
    }

    int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random_); }

    QVariant AnyValue(const QString& field) {
        if (Pick(6) == 0)
            return {};
        if (field == QLatin1String("Name"))
            return Pick(20) == 0 ? QString(51, u'x') : QString(QChar(u'a' + Pick(4)));
        if (field == QLatin1String("Init"))
            return Pick(16);
        if (field == QLatin1String("Active"))
            return Pick(2) == 0;
        if (field == QLatin1String("Passes"))
            return Pick(4);
        return 1;
    }

    // One random operation on the view and the model; answers the view's error.
    std::string Step() {
        static const char* const fields[] = {"Name", "Init",   "Active", "Passes",
                                             "Name", "Active", "RecId"};
        const int roll = Pick(100);
        if (roll < 20) {
            expectedError_ = model_.Insert();
            return Do("Insert", [&] { view_.Insert(); });
        }
        if (roll < 30) {
            expectedError_ = model_.Edit();
            return Do("Edit", [&] { view_.Edit(); });
        }
        if (roll < 60) {
            const QString field = QLatin1String(fields[Pick(static_cast<int>(std::size(fields)))]);
            const QVariant value = AnyValue(field);
            expectedError_ = model_.Set(field, value);
            return Do(QStringLiteral("%1=%2").arg(field, value.isNull() ? "-" : value.toString()),
                      [&] { view_.FieldByName(field).SetValue(value); });
        }
        if (roll < 72) {
            expectedError_ = model_.Post();
            return Do("Post", [&] { view_.Post(); });
        }
        if (roll < 75) {
            expectedError_ = model_.Cancel();
            return Do("Cancel", [&] { view_.Cancel(); });
        }
        if (roll < 80) {
            expectedError_ = model_.Delete();
            return Do("Delete", [&] { view_.Delete(); });
        }
        if (roll < 84) {
            expectedError_ = model_.First();
            return Do("First", [&] { view_.First(); });
        }
        if (roll < 92) {
            expectedError_ = model_.Next();
            return Do("Next", [&] { view_.Next(); });
        }
        if (roll < 95) {
            const bool on = Pick(3) != 0;
            expectedError_ = model_.SetFiltered(on);
            return Do(on ? "Filtered on" : "Filtered off", [&] { view_.SetFiltered(on); });
        }
        if (roll < 98) {
            const ModelFilter& filter = Filters()[Pick(static_cast<int>(Filters().size()))];
            expectedError_ = model_.SetFilter(filter);
            return Do("Filter " + filter.text, [&] { view_.SetFilter(filter.text); });
        }
        if (bookmarks_.empty()) {
            expectedError_.clear();
            return {};
        }
        const int id =
            std::next(bookmarks_.begin(), Pick(static_cast<int>(bookmarks_.size())))->first;
        expectedError_ = model_.GotoRecord(id);
        return Do(QStringLiteral("Go to #%1").arg(id), [&] { view_.GotoBookmark(bookmarks_[id]); });
    }

    ::testing::AssertionResult Check() {
        const auto expectSame = [&](const QString& what, const QString& view,
                                    const QString& model) {
            return view == model ? QString()
                                 : QStringLiteral("%1: view %2, model %3").arg(what, view, model);
        };
        const auto flag = [](bool value) {
            return value ? QStringLiteral("1") : QStringLiteral("0");
        };
        QString wrong = expectSame("state", QString::number(static_cast<int>(view_.State()) - 1),
                                   QString::number(static_cast<int>(model_.GetState())));
        if (wrong.isEmpty())
            wrong = expectSame("end flag", flag(view_.Eof()), flag(model_.Eof()));
        if (wrong.isEmpty())
            wrong = expectSame("filtered", flag(view_.Filtered()), flag(model_.Filtered()));
        if (wrong.isEmpty())
            wrong = expectSame("read by columns", Describe(ReadColumns(view_)),
                               Describe(model_.Visible()));
        if (wrong.isEmpty() && model_.Editing())
            wrong = expectSame("copy", Describe(Read(view_)), Describe(model_.Copy())) +
                    expectSame("modified", flag(view_.Modified()), flag(model_.Modified()));
        if (wrong.isEmpty() && !model_.Editing())
            wrong = CheckBrowsing();
        return wrong.isEmpty() ? ::testing::AssertionSuccess() : Fail(wrong);
    }

    QString CheckBrowsing() {
        const Combatant* current = model_.CurrentValues();
        if (view_.IsEmpty() != !current)
            return QStringLiteral("empty: view %1").arg(view_.IsEmpty());
        const QString currentText = current ? Describe(Read(view_)) : QString();
        if (current && currentText != Describe(*current))
            return QStringLiteral("current: view %1, model %2")
                .arg(currentText, Describe(*current));
        if (const auto id = model_.CurrentId())
            bookmarks_[*id] = view_.GetBookmark();
        // Coming back by bookmark would clear the end flag that the next step may depend on.
        if (current && model_.Eof())
            return {};

        view_.DisableControls();
        const QByteArray bookmark = view_.GetBookmark();
        std::vector<Combatant> seen;
        std::optional<std::size_t> place;
        for (view_.First(); !view_.Eof(); view_.Next()) {
            if (view_.GetBookmark() == bookmark)
                place = seen.size();
            seen.push_back(Read(view_));
        }
        if (!bookmark.isEmpty())
            view_.GotoBookmark(bookmark);
        view_.EnableControls();

        const QString order = Describe(seen);
        const QString expected = Describe(model_.Visible());
        if (order != expected)
            return QStringLiteral("order: view [%1], model [%2]").arg(order, expected);
        if (place != model_.CurrentPlace())
            return QStringLiteral("current place: view %1, model %2")
                .arg(place ? int(*place) : -1)
                .arg(model_.CurrentPlace() ? int(*model_.CurrentPlace()) : -1);
        if (current && Describe(Read(view_)) != currentText)
            return QStringLiteral("not back on the current record after the walk");
        return {};
    }

    ::testing::AssertionResult Fail(const QString& what) const {
        return ::testing::AssertionFailure()
               << what.toStdString()
               << "\n  after: " << log_.join(QStringLiteral("; ")).toStdString();
    }

    TWorkingView& view_;
    std::mt19937 random_;
    ViewModel model_;
    std::string expectedError_;
    QStringList log_;
    std::map<int, QByteArray> bookmarks_; ///< ordered, so that a seed replays alike
};

using ModelTest = DataChainTest;

TEST_F(ModelTest, RandomRunsAgreeWithTheReferenceModel) {
    const RandomRun run = RandomRunSettings("TREVALO_MODEL_STEPS", kStepsInTest);
    TWorkingView& view = Init();
    for (std::uint64_t done = 0; done < run.Steps; done += kSteps) {
        const auto seed = static_cast<unsigned>(run.Seed + done / kSteps);
        view.Close();
        view.SetFiltered(false);
        view.SetFilter({});
        view.Open();
        const ::testing::AssertionResult result = ModelRun(view, seed).Run();
        if (!result) {
            ADD_FAILURE() << "seed " << seed << " (TREVALO_SEED=" << seed
                          << " TREVALO_MODEL_STEPS=" << kSteps
                          << " repeats it): " << result.message();
            break;
        }
    }
}

} // namespace
} // namespace trevalo::test
