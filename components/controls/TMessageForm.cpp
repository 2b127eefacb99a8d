#include "components/controls/TMessageForm.h"

#include "platform/Exception.h"
#include "platform/MulDiv.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <array>

namespace trevalo {

namespace {

constexpr int kIconSize = 32;

struct ButtonKind {
    const char* caption;
    TModalResult answer;
};

constexpr std::array<ButtonKind, 2> kButtons{{{"OK", mrOk}, {"Cancel", mrCancel}}};

// Spacing in pixels, scaled by the message font's average letter.
struct Metrics {
    int horzMargin;
    int vertMargin;
    int horzSpacing;
    int vertSpacing;
    int buttonWidth;
    int buttonHeight;
    int buttonGap;
};

int WidestCaption(const QFontMetrics& font) {
    // The captions never change, so the font the first box is shown in measures them for good.
    static const int widest = [&font] {
        int width = 0;
        for (const ButtonKind& kind : kButtons)
            width = std::max(width, font.horizontalAdvance(QString::fromLatin1(kind.caption)));
        return width;
    }();
    return widest;
}

Metrics MeasureMetrics(const QFontMetrics& font) {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int x = font.horizontalAdvance(letters) / static_cast<int>(letters.size());
    const int y = font.height();
    return {MulDiv(8, x, 4),
            MulDiv(8, y, 8),
            MulDiv(10, x, 4),
            MulDiv(10, y, 8),
            std::max(MulDiv(50, x, 4), WidestCaption(font) + 8),
            MulDiv(14, y, 8),
            MulDiv(4, x, 4)};
}

bool NoShiftCtrlAlt(const QKeyEvent& key) {
    return (key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
}

} // namespace

TMessageForm::TMessageForm(const QString& Text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setFont(QApplication::font("QMessageBox"));
    setWindowTitle(QStringLiteral("Warning"));
    installEventFilter(this);

    const QFontMetrics font = fontMetrics();
    const Metrics m = MeasureMetrics(font);
    const int maxTextWidth = QGuiApplication::primaryScreen()->geometry().width() / 2;
    const QSize text =
        font.boundingRect(QRect(0, 0, maxTextWidth, 0), Qt::TextWordWrap | Qt::TextExpandTabs, Text)
            .size();
    const int iconTextWidth = text.width() + m.horzSpacing + kIconSize;
    const int iconTextHeight = std::max(text.height(), kIconSize);
    const int buttonRowWidth = 2 * m.buttonWidth + m.buttonGap;
    const int clientWidth = std::max(iconTextWidth, buttonRowWidth) + 2 * m.horzMargin;
    setFixedSize(clientWidth, iconTextHeight + m.buttonHeight + m.vertSpacing + 2 * m.vertMargin);

    // Right-to-left reading puts the icon at the right edge and the text to its left.
    const auto mirrored = [&](int left, int width) {
        return isRightToLeft() ? clientWidth - left - width : left;
    };
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image"));
    image->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(kIconSize));
    image->setGeometry(mirrored(m.horzMargin, kIconSize), m.vertMargin, kIconSize, kIconSize);

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("Message"));
    message_->setTextFormat(Qt::PlainText);
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message_->setText(Text);
    message_->setGeometry(mirrored(m.horzMargin + kIconSize + m.horzSpacing, text.width()),
                          m.vertMargin, text.width(), text.height());

    int left = (clientWidth - buttonRowWidth) / 2;
    const int top = m.vertMargin + iconTextHeight + m.vertSpacing;
    for (const ButtonKind& kind : kButtons) {
        const QString caption = QString::fromLatin1(kind.caption);
        auto* button = new QPushButton(caption, this);
        button->setObjectName(caption);
        button->setGeometry(left, top, m.buttonWidth, m.buttonHeight);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this,
                [this, answer = kind.answer] { done(answer); });
        if (kind.answer == mrCancel)
            cancelButton_ = button;
        buttons_.append(button);
        left += m.buttonWidth + m.buttonGap;
    }
    buttons_.front()->setDefault(true);
    buttons_.front()->setFocus();
}

void TMessageForm::reject() {
    done(mrCancel);
}

bool TMessageForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && KeyPreview(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool TMessageForm::KeyPreview(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // With a modifier held Enter does nothing at all, not even the button's own click.
        if (NoShiftCtrlAlt(key)) {
            if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
                button->click();
        }
        return true;
    case Qt::Key_Escape:
        if (NoShiftCtrlAlt(key))
            cancelButton_->click();
        return true;
    case Qt::Key_F4:
        if (key.modifiers() != Qt::AltModifier)
            return false;
        close();
        return true;
    case Qt::Key_C:
        if (key.modifiers() != Qt::ControlModifier)
            return false;
        QApplication::beep();
        CopyToClipboard();
        return true;
    default:
        return false;
    }
}

void TMessageForm::CopyToClipboard() const {
    const QString text = ClipboardText();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard)
        clipboard->setText(text);
    // The platform gives no status for setText; a clipboard that does not hand the text back
    // could not be written.
    if (!clipboard || clipboard->text() != text)
        throw Exception(QStringLiteral("Cannot open clipboard"));
}

QString TMessageForm::ClipboardText() const {
    const QString rule(27, QLatin1Char('-'));
    QString captions;
    for (const QPushButton* button : buttons_)
        captions += QString(button->text()).remove(QLatin1Char('&')) + QStringLiteral("   ");
    const QStringList lines{rule, windowTitle(), rule, message_->text(), rule, captions, rule};
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace trevalo
