#pragma once

#include <memory>
#include <optional>

#include <QObject>

class QDialogButtonBox;
class QMenu;
class QWidget;
class THelpWindow;

// The dynamic property that gives a widget its help topic (an int context number). F1 opens the
// topic of the focused widget or of its nearest parent that has one.
inline constexpr char kHelpContextProperty[] = "helpContext";

// The program's help: opens the help window at a topic, and answers F1. While it exists it is
// the process's help manager (ShowHelpTopic reaches it) and watches the application's keys:
// F1 on a highlighted menu item opens that command's topic; in a dialog or window, the topic of
// the focused widget or its nearest parent with a "helpContext"; in a window that is no dialog,
// first the topic of the widget under the pointer. Where none applies, F1 is left to a shortcut
// that has it (the Help menu's Contents) and otherwise opens the contents.
class THelpFileManager : public QObject {
    Q_OBJECT

public:
    explicit THelpFileManager(QObject* parent = nullptr);
    ~THelpFileManager() override;

    // Shows the help window (made once, then raised) at the topic; an unknown context opens the
    // contents.
    void ShowTopic(int context);
    // Null until a topic has been shown.
    THelpWindow* Window() const { return m_window.get(); }

    // The manager of the process, or null.
    static THelpFileManager* Instance();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool EvHelpKey(QWidget* receiver, bool pressed);
    static std::optional<int> TopicFor(QWidget* receiver);
    static std::optional<int> MenuTopic(const QMenu& menu);
    static std::optional<int> PointerTopic(const QWidget* window);
    static std::optional<int> NearestContext(const QWidget* widget);
    void KeepUsableFrom(QWidget* modal);

    std::unique_ptr<THelpWindow> m_window;
};

// Opens the topic through the process's help manager; does nothing when there is none.
void ShowHelpTopic(int context);
// Gives the OK, Cancel and Help buttons of `buttons` their shared topics.
void SetButtonHelpContexts(QDialogButtonBox* buttons);
