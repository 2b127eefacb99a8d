#include "components/forms/LayoutLoader.h"

#include "components/forms/ComponentRegistry.h"
#include "components/forms/TForm.h"
#include "platform/Exception.h"
#include "tests/support/ChildOf.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace trevalo {

// Records the order of the loading phases as they reach it.
class TProbe : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    Q_PROPERTY(trevalo::TProbe* Partner READ Partner WRITE SetPartner)
    Q_PROPERTY(QObject* Inner READ Inner)
public:
    explicit TProbe(QObject* parent = nullptr)
        : QObject(parent) {
        DeclareEvent(QStringLiteral("OnPoke"), OnPoke);
        inner_.setObjectName(QStringLiteral("inner"));
    }
    QObject* Inner() { return &inner_; }
    int Value() const { return value_; }
    void SetValue(int value) {
        value_ = value;
        Log().append(objectName() + QStringLiteral(" value"));
    }
    TProbe* Partner() const { return partner_; }
    void SetPartner(TProbe* partner) { partner_ = partner; }
    void Loaded() override {
        Log().append(objectName() + QStringLiteral(" loaded, partner ") +
                     (partner_ ? partner_->objectName() : QStringLiteral("none")) +
                     (OnPoke ? QStringLiteral(", bound") : QStringLiteral(", unbound")));
    }
    static QStringList& Log() {
        static QStringList log;
        return log;
    }
    TNotifyEvent OnPoke;

private:
    int value_ = 0;
    TProbe* partner_ = nullptr;
    QObject inner_;
};

namespace {

class LayoutLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComponentRegistry::Instance().Register<TProbe>(QStringLiteral("TProbe"));
        TProbe::Log().clear();
        handlers_.insert(QStringLiteral("Poked"),
                         [this](QObject* sender) { poked_.append(sender->objectName()); });
    }

    void Load(const char* json) {
        LayoutLoader loader(form_, [this](const QString& name) -> const TNotifyEvent* {
            const auto found = handlers_.constFind(name);
            return found == handlers_.cend() ? nullptr : &*found;
        });
        loader.Load(QByteArray(json));
    }

    QString LoadError(const char* json) {
        try {
            Load(json);
        } catch (const Exception& error) {
            return error.Message();
        }
        return QStringLiteral("no error");
    }

    TForm form_;
    QHash<QString, TNotifyEvent> handlers_;
    QStringList poked_;
};

TEST_F(LayoutLoaderTest, RunsThePhasesInOrderAndBindsHandlersLast) {
    Load(R"({"class": "TForm", "name": "frm", "children": [
        {"class": "TProbe", "name": "a", "properties": {"Value": 1},
         "references": {"Partner": "b"}, "events": {"OnPoke": "Poked"}},
        {"class": "TProbe", "name": "b", "properties": {"Value": 2}}]})");
    EXPECT_EQ(TProbe::Log(), QStringList({"a value", "b value", "a loaded, partner b, unbound",
                                          "b loaded, partner none, unbound"}));
    auto* a = &test::ChildOf<TProbe>(form_, QStringLiteral("a"));
    ASSERT_TRUE(a->OnPoke);
    a->OnPoke(a);
    EXPECT_EQ(poked_, QStringList({"a"}));
    EXPECT_EQ(form_.FindComponent(QStringLiteral("b"))->property("Value").toInt(), 2);
}

TEST_F(LayoutLoaderTest, UnsetPropertiesKeepTheirDefaults) {
    Load(R"({"class": "TForm", "name": "frm", "children": [
        {"class": "TProbe", "name": "a"}]})");
    auto* a = &test::ChildOf<TProbe>(form_, QStringLiteral("a"));
    EXPECT_EQ(a->Value(), 0);
    EXPECT_EQ(a->Partner(), nullptr);
}

TEST_F(LayoutLoaderTest, ADottedNameReachesIntoAnObjectProperty) {
    Load(R"({"class": "TForm", "name": "frm", "children": [
        {"class": "TProbe", "name": "a", "properties": {"Inner.objectName": "renamed"}}]})");
    auto* a = &test::ChildOf<TProbe>(form_, QStringLiteral("a"));
    EXPECT_EQ(a->Inner()->objectName(), QStringLiteral("renamed"));
}

TEST_F(LayoutLoaderTest, NamesWhateverItDoesNotKnow) {
    struct Case {
        const char* layout;
        const char* message;
    };
    const Case cases[] = {
        {R"({"class": "TForm", "name": "frm", "children": [
            {"class": "TNoSuchThing", "name": "x"}]})",
         "Class TNoSuchThing not found"},
        {R"({"class": "TForm", "name": "frm", "children": [
            {"class": "TProbe", "name": "a", "properties": {"Colour": 3}}]})",
         "Error reading a.Colour: Property Colour does not exist"},
        {R"({"class": "TForm", "name": "frm", "children": [
            {"class": "TProbe", "name": "a", "properties": {"Inner.Colour": 3}}]})",
         "Error reading a.Inner.Colour: Property Inner.Colour does not exist"},
        {R"({"class": "TForm", "name": "frm", "children": [
            {"class": "TProbe", "name": "a", "properties": {"Value.Colour": 3}}]})",
         "Error reading a.Value.Colour: Property Value.Colour does not exist"},
        {R"({"class": "TForm", "name": "frm", "children": [
            {"class": "TProbe", "name": "a", "references": {"Partner": "ghost"}}]})",
         "Error reading a.Partner: Component 'ghost' not found"},
        {R"({"class": "TForm", "name": "frm", "children": [
            {"class": "TProbe", "name": "a", "events": {"OnPoke": "NoSuchHandler"}}]})",
         "Error reading a.OnPoke: Method 'NoSuchHandler' not found"},
        {R"({"class": "TForm", "name": "frm", "children": [
            {"class": "TProbe", "name": "a", "events": {"OnShove": "Poked"}}]})",
         "Error reading a.OnShove: Property OnShove does not exist"},
        {R"({"class": "TForm", "name": "frm", "children": [
            {"class": "TProbe", "name": "a", "references": {"Partner": "frm"}}]})",
         "Error reading a.Partner: Invalid property value"},
        {R"({"class": "TOtherForm", "name": "frm"})", "Class TOtherForm not found"},
        {R"({"class": )", "Invalid layout: unterminated object"},
    };
    for (const Case& row : cases) {
        TProbe::Log().clear();
        EXPECT_EQ(LoadError(row.layout), QString::fromLatin1(row.message)) << row.layout;
    }
}

} // namespace
} // namespace trevalo

#include "LayoutLoaderTest.moc"
