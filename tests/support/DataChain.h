/// \file
/// The main window's two data chains, loaded from a layout like the window's own, and small
/// helpers to fill, read and walk a working view.
#pragma once

#include "components/data/DataErrors.h"
#include "components/data/TDataLink.h"
#include "components/data/TDataSource.h"
#include "components/data/TMemTable.h"
#include "components/data/TTableProvider.h"
#include "components/data/TWorkingView.h"
#include "tests/support/ChildOf.h"

#include <QObject>
#include <QStringList>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace trevalo::test {

/// The store, provider, view and source of the combatants and of the effects, opened the way
/// the main window opens them.
class DataChainTest : public ::testing::Test {
protected:
    DataChainTest();

    template <class T> T& Component(const char* name) {
        return ChildOf<T>(form_, QLatin1String(name));
    }
    TWorkingView& Init() { return Component<TWorkingView>("wvInit"); }
    TWorkingView& Effects() { return Component<TWorkingView>("wvEffects"); }

    QObject form_;
};

/// Counts what a working view tells the controls bound to it.
class CountingLink final : public TDataLink {
public:
    void StateChanged() override { ++States; }
    void DataSetChanged() override { ++DataSets; }
    int States = 0;
    int DataSets = 0;
};

/// A provider named \p provider over \p store, and a closed working view named \p view that
/// asks it for its data; both owned by \p form.
struct ChainOverStore {
    TTableProvider& Provider;
    TWorkingView& View;
};
ChainOverStore ViewOver(QObject& form, TMemTable& store, const char* provider, const char* view);

QVariant Get(const TWorkingView& view, const char* field);
void Set(TWorkingView& view, const char* field, const QVariant& value);

/// Inserts a combatant in front of the current record and posts it.
void AddCombatant(TWorkingView& view, const QString& name, const QVariant& passes = 1,
                  const QVariant& active = true);

/// Combatants named \p names, standing in the view in that order; the first is current.
void Fill(TWorkingView& view, const QStringList& names);

/// Combatants with these names and Init values (none: blank), standing in the view in this
/// order; the first is current.
void FillWithInit(TWorkingView& view, const QList<std::pair<QString, std::optional<int>>>& records);

/// The names of the visible records in the view's order, walked with the controls off; the
/// current record is current again afterwards.
QStringList Names(TWorkingView& view);

/// The current record's name, or "<none>" on an empty view.
QString CurrentName(const TWorkingView& view);

inline const std::string kNoError = "<no error>";

/// The message of the \p E that \p action raises, or kNoError.
template <class E = EDatabaseError, class F> std::string ErrorOf(F&& action) {
    try {
        action();
    } catch (const E& error) {
        return error.Message().toStdString();
    }
    return kNoError;
}

} // namespace trevalo::test
