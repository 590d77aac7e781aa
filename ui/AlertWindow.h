#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

class QLabel;
class QPropertyAnimation;
class QToolButton;

// A pop-up reminder that holds a list of messages and shows one at a time.
// Messages are written in a small markup: "<b>" ... "</b>" for bold, "<br>"
// for a line break, and the entities &lt; &gt; &amp; &quot; &#39; for the
// characters themselves; any other "<" or "&" is shown as it stands, so a
// message can never inject formatting of its own.
//
// The window is a frameless tool window of the main window (never "always on
// top"), 300 x 100 pixels at least, placed at the bottom right or the centre
// of the screen, and fades in to an opacity of 180/255. Alerts of one window
// that share the bottom right corner stack, the later above the earlier. It never hides by
// itself: it stays until the user closes it (close button, or the delete
// button on the last message) or the program hides it.
//
// The user steps through the messages with next and previous, clicks on the
// message, and presses the optional popup and delete buttons; each of these
// is reported by a signal. Next, previous and delete move the shown message
// themselves; clicks and the popup button only report.
class AlertWindow : public QWidget {
    Q_OBJECT
public:
    enum class Position { BottomRight, Center };

    explicit AlertWindow(QWidget* parent = nullptr);
    ~AlertWindow() override;

    // --- settings
    void setPosition(Position position) { position_ = position; }
    Position position() const { return position_; }
    // Position counter, e.g. "%d of %d": the first %d is the number of the
    // message shown (from 1), the second the number of messages.
    void setCounterFormat(const QString& format);
    QString counterFormat() const { return counterFormat_; }
    void setShowDelete(bool show);
    void setShowPopup(bool show);
    // Hints (tool tips) of the buttons.
    void setHints(const QString& popup, const QString& del, const QString& next, const QString& previous,
                  const QString& close);
    void setWindowColor(const QColor& color);
    QColor windowColor() const { return windowColor_; }
    // Smallest size of the pop-up; the height grows when a message needs it.
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 100;
    // Opacity reached at the end of the fade-in, out of 255.
    static constexpr int kOpacity = 180;

    // --- messages
    void clear();
    // An invalid colour shows the message on the window colour.
    void addMessage(const QString& text, const QColor& color = QColor());
    int count() const { return int(messages_.size()); }
    int currentIndex() const { return current_; } // -1 when empty
    void setCurrentIndex(int index);
    QString messageText(int index) const;
    QColor messageColor(int index) const;
    // The message as the user reads it, without markup.
    QString plainText(int index) const;
    // The position counter as shown.
    QString counterText() const;

    // --- showing
    // Shows the window (fading in) or, when it shows already, refreshes it.
    void showAlert();
    void hideAlert();
    bool isShowing() const { return isVisible(); }

    // The markup of a message as Qt rich text.
    static QString toRichText(const QString& markup);

signals:
    void messageClicked(int index);
    void closeClicked();
    void nextClicked();
    void previousClicked();
    void popupClicked();
    void deleteClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Message {
        QString text;
        QColor color;
    };
    void refresh();
    void place();
    void next();
    void previous();
    void removeCurrent();

    std::vector<Message> messages_;
    int current_ = -1;
    Position position_ = Position::BottomRight;
    QString counterFormat_ = QStringLiteral("%d of %d");
    QColor windowColor_{255, 255, 255};
    QLabel* text_ = nullptr;
    QLabel* counter_ = nullptr;
    QToolButton* previous_ = nullptr;
    QToolButton* next_ = nullptr;
    QToolButton* popup_ = nullptr;
    QToolButton* delete_ = nullptr;
    QToolButton* close_ = nullptr;
    QPointer<QPropertyAnimation> fade_;
    quint64 shownAt_ = 0; // order of showing, for stacking in the corner
};
