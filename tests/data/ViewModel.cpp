#include "tests/data/ViewModel.h"

#include <QStringList>
#include <algorithm>

namespace trevalo::test {

namespace {

const std::string kNotEditing = "wvInit: Dataset not in edit or insert mode";
constexpr qsizetype kNameWidth = 50;

template <class T> QString Text(const std::optional<T>& value) {
    if (!value)
        return QStringLiteral("-");
    if constexpr (std::is_same_v<T, bool>)
        return *value ? QStringLiteral("T") : QStringLiteral("F");
    else
        return QVariant(*value).toString();
}

template <class T> std::optional<T> Optional(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    return value.value<T>();
}

} // namespace

QString Describe(const Combatant& combatant) {
    return QStringList{Text(combatant.name), Text(combatant.init), Text(combatant.active),
                       Text(combatant.passes)}
        .join(u'/');
}

std::string ViewModel::First() {
    Settle();
    ReadFirst();
    return {};
}

std::string ViewModel::Next() {
    Settle();
    const auto next = current_ ? VisibleFrom(IndexOf(*current_) + 1) : std::nullopt;
    if (next)
        Become(next);
    else
        eof_ = true;
    return {};
}

std::string ViewModel::Edit() {
    if (Editing())
        return {};
    if (!current_)
        return Insert();
    copy_ = rows_[IndexOf(*current_)].values;
    modified_ = false;
    state_ = State::Edit;
    return {};
}

std::string ViewModel::Insert() {
    Settle();
    copy_ = Combatant{std::nullopt, std::nullopt, true, 1};
    insertBefore_ = current_;
    modified_ = false;
    state_ = State::Insert;
    return {};
}

std::string ViewModel::Set(const QString& field, const QVariant& value) {
    if (!Editing())
        return kNotEditing;
    if (field == QLatin1String("RecId"))
        return "Field 'RecId' cannot be modified";
    if (field == QLatin1String("Name") && value.toString().size() > kNameWidth)
        return "Value too long for field";
    if (field == QLatin1String("Name"))
        copy_.name = Optional<QString>(value);
    else if (field == QLatin1String("Init"))
        copy_.init = Optional<int>(value);
    else if (field == QLatin1String("Active"))
        copy_.active = Optional<bool>(value);
    else
        copy_.passes = Optional<int>(value);
    modified_ = true;
    return {};
}

std::string ViewModel::Post() {
    if (!Editing())
        return kNotEditing;
    std::size_t at = 0;
    if (state_ == State::Insert) {
        at = insertBefore_ ? IndexOf(*insertBefore_) : 0;
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), Row{nextId_++, copy_});
    } else {
        at = IndexOf(*current_);
        rows_[at].values = copy_;
    }
    Finish(at);
    return {};
}

std::string ViewModel::Cancel() {
    if (!Editing())
        return {};
    std::optional<std::size_t> cursor;
    if (state_ == State::Edit)
        cursor = IndexOf(*current_);
    else if (insertBefore_)
        cursor = IndexOf(*insertBefore_);
    Finish(cursor);
    return {};
}

std::string ViewModel::Delete() {
    if (state_ == State::Insert)
        return Cancel();
    if (!current_)
        return "wvInit: Cannot perform this operation on an empty dataset";
    const std::size_t at = IndexOf(*current_);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(at));
    state_ = State::Browse;
    copy_ = {};
    modified_ = false;
    const auto next = VisibleFrom(at);
    Become(next ? next : VisibleBefore(at));
    return {};
}

std::string ViewModel::SetFiltered(bool filtered) {
    Settle();
    if (filtered != filtered_) {
        filtered_ = filtered;
        installed_.reset();
        if (filtered)
            installed_ = text_;
    }
    ReadFirst();
    return {};
}

std::string ViewModel::SetFilter(const ModelFilter& filter) {
    text_ = filter;
    if (!filtered_)
        return {};
    Settle();
    installed_ = filter;
    ReadFirst();
    return {};
}

std::string ViewModel::GotoRecord(int id) {
    Settle();
    const auto found = std::ranges::find(rows_, id, &Row::id);
    if (found == rows_.end() || !IsVisible(static_cast<std::size_t>(found - rows_.begin())))
        return "wvInit: Record not found";
    current_ = id;
    eof_ = false;
    return {};
}

std::vector<Combatant> ViewModel::Visible() const {
    std::vector<Combatant> visible;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (IsVisible(i))
            visible.push_back(rows_[i].values);
    }
    return visible;
}

std::optional<std::size_t> ViewModel::CurrentPlace() const {
    if (!current_)
        return std::nullopt;
    std::size_t place = 0;
    for (std::size_t i = 0; i < IndexOf(*current_); ++i)
        place += IsVisible(i) ? 1 : 0;
    return place;
}

const Combatant* ViewModel::CurrentValues() const {
    return current_ ? &rows_[IndexOf(*current_)].values : nullptr;
}

bool ViewModel::IsVisible(std::size_t index) const {
    return !filtered_ || !installed_ || !installed_->hides ||
           !installed_->hides(rows_[index].values);
}

std::size_t ViewModel::IndexOf(int id) const {
    return static_cast<std::size_t>(std::ranges::find(rows_, id, &Row::id) - rows_.begin());
}

std::optional<std::size_t> ViewModel::VisibleFrom(std::size_t index) const {
    for (std::size_t i = index; i < rows_.size(); ++i) {
        if (IsVisible(i))
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> ViewModel::VisibleBefore(std::size_t end) const {
    for (std::size_t i = std::min(end, rows_.size()); i-- > 0;) {
        if (IsVisible(i))
            return i;
    }
    return std::nullopt;
}

void ViewModel::Become(std::optional<std::size_t> index) {
    if (index)
        current_ = rows_[*index].id;
    else
        current_.reset();
    eof_ = !current_;
}

void ViewModel::Settle() {
    if (!Editing())
        return;
    if (modified_)
        Post();
    else
        Cancel();
}

void ViewModel::Reposition(std::optional<std::size_t> cursor) {
    if (!cursor) {
        ReadFirst();
        return;
    }
    if (IsVisible(*cursor)) {
        Become(cursor);
        return;
    }
    const auto next = VisibleFrom(*cursor + 1);
    Become(next ? next : VisibleBefore(*cursor));
}

void ViewModel::Finish(std::optional<std::size_t> cursor) {
    state_ = State::Browse;
    copy_ = {};
    modified_ = false;
    insertBefore_.reset();
    Reposition(cursor);
}

} // namespace trevalo::test
