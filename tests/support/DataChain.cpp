#include "tests/support/DataChain.h"

#include "components/data/RegisterDataComponents.h"
#include "components/forms/LayoutLoader.h"

namespace trevalo::test {

namespace {

// The data components of the main window's layout, as they stand there, snapshot included.
constexpr const char* kLayout = R"({
  "class": "QObject", "name": "frmTrevaloMain",
  "children": [
    {"class": "TMemTable", "name": "mtInit",
     "properties": {"PersistentData": ")"
                                "566572CDCCCCCCCCCCFC3F0400000004000000030003004944003300"
                                "0000010005004E616D65000400000003000500496E69740002000000"
                                "0500070041637469766500"
                                R"("},
     "children": [
       {"class": "TIntegerField", "name": "mtInitID",
        "properties": {"FieldName": "ID", "AutoGenerateValue": "arAutoInc"}},
       {"class": "TStringField", "name": "mtInitName",
        "properties": {"FieldName": "Name", "Size": 50}},
       {"class": "TIntegerField", "name": "mtInitInit", "properties": {"FieldName": "Init"}},
       {"class": "TBooleanField", "name": "mtInitActive",
        "properties": {"FieldName": "Active", "DefaultExpression": "'True'"}},
       {"class": "TIntegerField", "name": "mtInitPasses",
        "properties": {"FieldName": "Passes", "DefaultExpression": "1"}}]},
    {"class": "TTableProvider", "name": "prvInit", "references": {"DataSet": "mtInit"}},
    {"class": "TWorkingView", "name": "wvInit",
     "properties": {"ProviderName": "prvInit", "Active": true},
     "children": [
       {"class": "TIntegerField", "name": "wvInitRecId",
        "properties": {"FieldName": "RecId", "ReadOnly": true}},
       {"class": "TStringField", "name": "wvInitName",
        "properties": {"FieldName": "Name", "Size": 50}},
       {"class": "TIntegerField", "name": "wvInitInit", "properties": {"FieldName": "Init"}},
       {"class": "TBooleanField", "name": "wvInitActive", "properties": {"FieldName": "Active"}},
       {"class": "TIntegerField", "name": "wvInitID", "properties": {"FieldName": "ID"}},
       {"class": "TIntegerField", "name": "wvInitPasses", "properties": {"FieldName": "Passes"}}]},
    {"class": "TDataSource", "name": "dsInit", "references": {"DataSet": "wvInit"}},
    {"class": "TMemTable", "name": "mtEffects",
     "children": [
       {"class": "TStringField", "name": "mtEffectsEffectName",
        "properties": {"FieldName": "EffectName", "Size": 200}},
       {"class": "TIntegerField", "name": "mtEffectsEndOnTurn",
        "properties": {"FieldName": "EndOnTurn"}}]},
    {"class": "TTableProvider", "name": "prvEffects", "references": {"DataSet": "mtEffects"}},
    {"class": "TWorkingView", "name": "wvEffects",
     "properties": {"ProviderName": "prvEffects", "Active": true},
     "children": [
       {"class": "TIntegerField", "name": "wvEffectsRecId",
        "properties": {"FieldName": "RecId", "ReadOnly": true}},
       {"class": "TStringField", "name": "wvEffectsEffectName",
        "properties": {"FieldName": "EffectName", "Size": 200}},
       {"class": "TIntegerField", "name": "wvEffectsEndOnTurn",
        "properties": {"FieldName": "EndOnTurn"}}]},
    {"class": "TDataSource", "name": "dsEffects", "references": {"DataSet": "wvEffects"}}
  ]
})";

} // namespace

DataChainTest::DataChainTest() {
    RegisterDataComponents();
    LayoutLoader loader(form_, [](const QString&) -> const TNotifyEvent* { return nullptr; });
    loader.Load(QByteArray(kLayout));
}

ChainOverStore ViewOver(QObject& form, TMemTable& store, const char* provider, const char* view) {
    auto* theProvider = new TTableProvider(&form);
    theProvider->setObjectName(QLatin1String(provider));
    theProvider->SetDataSet(&store);
    auto* theView = new TWorkingView(&form);
    theView->setObjectName(QLatin1String(view));
    theView->SetProviderName(QLatin1String(provider));
    return {*theProvider, *theView};
}

QVariant Get(const TWorkingView& view, const char* field) {
    return view.FieldByName(QLatin1String(field)).Value();
}

void Set(TWorkingView& view, const char* field, const QVariant& value) {
    view.FieldByName(QLatin1String(field)).SetValue(value);
}

void AddCombatant(TWorkingView& view, const QString& name, const QVariant& passes,
                  const QVariant& active) {
    view.Insert();
    Set(view, "Name", name);
    Set(view, "Passes", passes);
    Set(view, "Active", active);
    view.Post();
}

void Fill(TWorkingView& view, const QStringList& names) {
    for (auto name = names.crbegin(); name != names.crend(); ++name)
        AddCombatant(view, *name);
    view.First();
}

void FillWithInit(TWorkingView& view,
                  const QList<std::pair<QString, std::optional<int>>>& records) {
    QStringList names;
    for (const auto& record : records)
        names << record.first;
    Fill(view, names);
    for (const auto& record : records) {
        view.Edit();
        Set(view, "Init", record.second ? QVariant(*record.second) : QVariant());
        view.Post();
        view.Next();
    }
    view.First();
}

QStringList Names(TWorkingView& view) {
    view.DisableControls();
    const QByteArray current = view.GetBookmark();
    QStringList names;
    for (view.First(); !view.Eof(); view.Next())
        names << Get(view, "Name").toString();
    if (!current.isEmpty())
        view.GotoBookmark(current);
    view.EnableControls();
    return names;
}

QString CurrentName(const TWorkingView& view) {
    return view.IsEmpty() ? QStringLiteral("<none>") : Get(view, "Name").toString();
}

} // namespace trevalo::test
