#include "ui/AlertWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QRegularExpression>
#include <QScreen>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
enum class Glyph { Previous, Next, Popup, Delete, Close };

// The button artwork, drawn rather than shipped.
QIcon glyph(Glyph g) {
    const int s = 16;
    QPixmap pm(s, s);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(50, 60, 80);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (g) {
    case Glyph::Previous:
    case Glyph::Next: {
        QPolygonF tri;
        if (g == Glyph::Previous)
            tri << QPointF(11, 3) << QPointF(4, 8) << QPointF(11, 13);
        else
            tri << QPointF(5, 3) << QPointF(12, 8) << QPointF(5, 13);
        p.setBrush(ink);
        p.drawPolygon(tri);
        break;
    }
    case Glyph::Close:
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case Glyph::Delete:
        p.drawLine(QPointF(3, 4.5), QPointF(13, 4.5));
        p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 2.5));
        p.drawLine(QPointF(6.5, 2.5), QPointF(9.5, 2.5));
        p.drawLine(QPointF(9.5, 2.5), QPointF(9.5, 4.5));
        p.drawRoundedRect(QRectF(4.5, 4.5, 7, 9), 1, 1);
        p.drawLine(QPointF(7, 7), QPointF(7, 11));
        p.drawLine(QPointF(9, 7), QPointF(9, 11));
        break;
    case Glyph::Popup: {
        // a speech balloon: answer, or open
        QPainterPath path;
        path.addRoundedRect(QRectF(2, 2.5, 12, 8.5), 2, 2);
        p.drawPath(path);
        p.drawLine(QPointF(5, 11), QPointF(4, 14));
        p.drawLine(QPointF(4, 14), QPointF(8, 11));
        break;
    }
    }
    return QIcon(pm);
}

QToolButton* makeButton(const QString& name, Glyph g) {
    auto* b = new QToolButton;
    b->setObjectName(name);
    b->setIcon(glyph(g));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setFixedSize(22, 20);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

// A counter format with its two "%d" filled in.
QString fillCounter(const QString& format, int position, int total) {
    QString out;
    int filled = 0;
    for (int i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size() && format[i + 1] == QLatin1Char('d') && filled < 2) {
            out += QString::number(filled == 0 ? position : total);
            ++filled;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}
} // namespace

AlertWindow::AlertWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("AlertWindow"));
    // A reminder must not take the keyboard away from the screen being typed in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 8, 6, 4);
    column->setSpacing(2);
    text_ = new QLabel;
    text_->setObjectName(QStringLiteral("messageText"));
    text_->setTextFormat(Qt::RichText);
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setCursor(Qt::PointingHandCursor);
    text_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    text_->installEventFilter(this);
    column->addWidget(text_, 1);

    auto* row = new QHBoxLayout;
    row->setSpacing(1);
    previous_ = makeButton(QStringLiteral("previousButton"), Glyph::Previous);
    counter_ = new QLabel;
    counter_->setObjectName(QStringLiteral("counterText"));
    counter_->setAlignment(Qt::AlignCenter);
    QFont small = counter_->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    counter_->setFont(small);
    counter_->setMinimumWidth(44);
    next_ = makeButton(QStringLiteral("nextButton"), Glyph::Next);
    popup_ = makeButton(QStringLiteral("popupButton"), Glyph::Popup);
    delete_ = makeButton(QStringLiteral("deleteButton"), Glyph::Delete);
    close_ = makeButton(QStringLiteral("closeButton"), Glyph::Close);
    row->addWidget(previous_);
    row->addWidget(counter_);
    row->addWidget(next_);
    row->addStretch();
    row->addWidget(popup_);
    row->addWidget(delete_);
    row->addWidget(close_);
    column->addLayout(row);

    setHints(QStringLiteral("Popup"), QStringLiteral("Delete"), QStringLiteral("Next"), QStringLiteral("Previous"),
             QStringLiteral("Close"));

    connect(previous_, &QToolButton::clicked, this, [this] {
        previous();
        emit previousClicked();
    });
    connect(next_, &QToolButton::clicked, this, [this] {
        next();
        emit nextClicked();
    });
    connect(popup_, &QToolButton::clicked, this, &AlertWindow::popupClicked);
    connect(delete_, &QToolButton::clicked, this, [this] {
        removeCurrent();
        emit deleteClicked();
        if (messages_.empty())
            hideAlert();
    });
    connect(close_, &QToolButton::clicked, this, [this] {
        hideAlert();
        emit closeClicked();
    });

    setFixedSize(kWidth, kHeight);
    refresh();
}

AlertWindow::~AlertWindow() = default;

void AlertWindow::setCounterFormat(const QString& format) {
    counterFormat_ = format;
    refresh();
}

void AlertWindow::setShowDelete(bool show) { delete_->setVisible(show); }
void AlertWindow::setShowPopup(bool show) { popup_->setVisible(show); }

void AlertWindow::setHints(const QString& popup, const QString& del, const QString& next, const QString& previous,
                           const QString& close) {
    const std::pair<QToolButton*, QString> hints[] = {
        {popup_, popup}, {delete_, del}, {next_, next}, {previous_, previous}, {close_, close}};
    for (const auto& [button, hint] : hints) {
        button->setToolTip(hint);
        button->setText(hint);
        button->setAccessibleName(hint);
    }
}

void AlertWindow::setWindowColor(const QColor& color) {
    windowColor_ = color;
    update();
}

// ---------------------------------------------------------------- messages

void AlertWindow::clear() {
    messages_.clear();
    current_ = -1;
    refresh();
}

void AlertWindow::addMessage(const QString& text, const QColor& color) {
    messages_.push_back({text, color});
    if (current_ < 0)
        current_ = 0;
    refresh();
}

void AlertWindow::setCurrentIndex(int index) {
    if (messages_.empty())
        return;
    current_ = std::clamp(index, 0, count() - 1);
    refresh();
}

QString AlertWindow::messageText(int index) const {
    return index >= 0 && index < count() ? messages_[size_t(index)].text : QString();
}

QColor AlertWindow::messageColor(int index) const {
    return index >= 0 && index < count() ? messages_[size_t(index)].color : QColor();
}

QString AlertWindow::plainText(int index) const {
    QTextDocument doc;
    doc.setHtml(toRichText(messageText(index)));
    return doc.toPlainText();
}

QString AlertWindow::counterText() const { return counter_->text(); }

void AlertWindow::next() {
    if (current_ + 1 < count())
        setCurrentIndex(current_ + 1);
}

void AlertWindow::previous() {
    if (current_ > 0)
        setCurrentIndex(current_ - 1);
}

void AlertWindow::removeCurrent() {
    if (current_ < 0)
        return;
    messages_.erase(messages_.begin() + current_);
    current_ = messages_.empty() ? -1 : std::min(current_, count() - 1);
    refresh();
}

QString AlertWindow::toRichText(const QString& markup) {
    static const QRegularExpression entity(QStringLiteral("&(lt|gt|amp|quot|apos|#39);"));
    QString out = QStringLiteral("<div style=\"white-space: pre-wrap\">");
    for (qsizetype i = 0; i < markup.size();) {
        const QChar c = markup[i];
        if (c == QLatin1Char('<')) {
            static const char* const tags[] = {"<b>", "</b>", "<br>", "<br/>", "<br />"};
            bool matched = false;
            for (const char* tag : tags) {
                const QLatin1StringView t(tag);
                if (QStringView(markup).mid(i, t.size()).compare(t, Qt::CaseInsensitive) == 0) {
                    out += t.startsWith(QLatin1StringView("<br")) ? QStringLiteral("<br>") : QString(t);
                    i += t.size();
                    matched = true;
                    break;
                }
            }
            if (!matched) {
                out += QStringLiteral("&lt;");
                ++i;
            }
        } else if (c == QLatin1Char('>')) {
            out += QStringLiteral("&gt;");
            ++i;
        } else if (c == QLatin1Char('&')) {
            const auto m = entity.match(QStringView(markup), i, QRegularExpression::NormalMatch,
                                            QRegularExpression::AnchorAtOffsetMatchOption);
            if (m.hasMatch()) {
                out += m.captured(0);
                i += m.capturedLength(0);
            } else {
                out += QStringLiteral("&amp;");
                ++i;
            }
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("<br>");
            ++i;
        } else if (c == QLatin1Char('\r')) {
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    out += QStringLiteral("</div>");
    return out;
}

// ---------------------------------------------------------------- showing

void AlertWindow::refresh() {
    const bool any = current_ >= 0;
    text_->setText(any ? toRichText(messages_[size_t(current_)].text) : QString());
    counter_->setText(fillCounter(counterFormat_, any ? current_ + 1 : 0, count()));
    previous_->setEnabled(any && current_ > 0);
    next_->setEnabled(any && current_ + 1 < count());
    delete_->setEnabled(any);
    // The pop-up keeps its width and grows downwards for a long message.
    int wanted = kHeight;
    if (QLayout* l = layout()) {
        l->invalidate();
        wanted = std::clamp(l->totalHeightForWidth(kWidth), kHeight, 3 * kHeight);
    }
    if (wanted != height()) {
        setFixedSize(kWidth, wanted);
        if (isVisible())
            place();
    }
    update();
}

void AlertWindow::place() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    if (position_ == Position::Center) {
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    } else {
        // Reminders already in the corner stay visible: a later one goes above them.
        const int margin = 8;
        int bottom = area.y() + area.height() - margin;
        if (parentWidget())
            for (AlertWindow* other : parentWidget()->findChildren<AlertWindow*>(Qt::FindDirectChildrenOnly))
                if (other != this && other->isVisible() && other->position_ == Position::BottomRight &&
                    other->shownAt_ < shownAt_)
                    bottom = std::min(bottom, other->y() - margin);
        move(area.x() + area.width() - width() - margin, bottom - height());
    }
}

void AlertWindow::showAlert() {
    refresh();
    if (isVisible())
        return; // shown again: the content is new, the window stays as it is
    static quint64 shown = 0;
    shownAt_ = ++shown;
    place();
    setWindowOpacity(0.0);
    show();
    if (fade_)
        fade_->stop();
    fade_ = new QPropertyAnimation(this, "windowOpacity", this);
    fade_->setDuration(400);
    fade_->setStartValue(0.0);
    // The window keeps its opacity in 1/255 steps, truncating: aim half a step
    // higher so the fade ends at exactly kOpacity.
    fade_->setEndValue((kOpacity + 0.5) / 255.0);
    fade_->start(QAbstractAnimation::DeleteWhenStopped);
}

void AlertWindow::hideAlert() {
    if (fade_)
        fade_->stop();
    hide();
}

void AlertWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor window = windowColor_.isValid() ? windowColor_ : QColor(Qt::white);
    p.fillRect(rect(), window);
    const QColor message = messageColor(current_);
    if (message.isValid()) {
        p.setPen(Qt::NoPen);
        p.setBrush(message);
        p.drawRoundedRect(QRectF(text_->geometry().adjusted(-6, -4, 4, 3)), 4, 4);
    }
    p.setPen(QPen(window.darker(160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

bool AlertWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && current_ >= 0) {
        emit messageClicked(current_);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
