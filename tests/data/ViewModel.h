/// \file
/// A plain reference for the combatant view: its records in the view's order, the current
/// record and the edit in progress, under the same settling, re-positioning and filter rules.
#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace trevalo::test {

struct Combatant {
    std::optional<QString> name;
    std::optional<int> init;
    std::optional<bool> active;
    std::optional<int> passes;

    bool operator==(const Combatant&) const = default;
};

/// "name/init/active/passes", a blank as "-".
QString Describe(const Combatant& combatant);

/// A filter text and the records it hides: those for which it is false, not undecided.
struct ModelFilter {
    QString text;
    std::function<bool(const Combatant&)> hides;
};

class ViewModel {
public:
    enum class State { Browse, Edit, Insert };

    // Each answers the message the view raises, or an empty text.
    std::string First();
    std::string Next();
    std::string Edit();
    std::string Insert();
    std::string Set(const QString& field, const QVariant& value);
    std::string Post();
    std::string Cancel();
    std::string Delete();
    std::string SetFiltered(bool filtered);
    std::string SetFilter(const ModelFilter& filter);
    std::string GotoRecord(int id);

    std::vector<Combatant> Visible() const;
    /// The current record's place among the visible ones.
    std::optional<std::size_t> CurrentPlace() const;
    std::optional<int> CurrentId() const { return current_; }
    const Combatant* CurrentValues() const;
    State GetState() const { return state_; }
    bool Editing() const { return state_ != State::Browse; }
    const Combatant& Copy() const { return copy_; }
    bool Modified() const { return modified_; }
    bool Eof() const { return eof_; }
    bool Filtered() const { return filtered_; }

private:
    struct Row {
        int id;
        Combatant values;
    };

    bool IsVisible(std::size_t index) const;
    std::size_t IndexOf(int id) const;
    std::optional<std::size_t> VisibleFrom(std::size_t index) const;
    std::optional<std::size_t> VisibleBefore(std::size_t end) const;
    void Become(std::optional<std::size_t> index);
    void Settle();
    void ReadFirst() { Become(VisibleFrom(0)); }
    /// After Post and Cancel: the record at \p cursor (none: before the first) if visible, else
    /// the next visible, else the previous visible, else none.
    void Reposition(std::optional<std::size_t> cursor);
    void Finish(std::optional<std::size_t> cursor);

    std::vector<Row> rows_;
    int nextId_ = 1;
    std::optional<int> current_;
    bool eof_ = true;
    State state_ = State::Browse;
    Combatant copy_;
    bool modified_ = false;
    std::optional<int> insertBefore_;
    ModelFilter text_;
    std::optional<ModelFilter> installed_;
    bool filtered_ = false;
};

} // namespace trevalo::test
