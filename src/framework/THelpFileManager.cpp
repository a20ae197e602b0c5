#include "framework/THelpFileManager.h"

#include "framework/HelpTopics.h"
#include "framework/THelpWindow.h"

#include <utility>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QWindow>

namespace {

THelpFileManager* g_instance = nullptr;

// A menu that closes a popup under it gives way to the next; a bound guards a popup that
// refuses to close.
constexpr int kMaxOpenMenus = 16;

// The topics of the buttons every dialog has.
constexpr int kOkTopic = 8;
constexpr int kCancelTopic = 9;
constexpr int kHelpButtonTopic = 11;

void CloseMenus()
{
    for (int i = 0; i < kMaxOpenMenus && QApplication::activePopupWidget() != nullptr; ++i) {
        QApplication::activePopupWidget()->close();
    }
}

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

THelpFileManager::THelpFileManager(QObject* parent) : QObject(parent)
{
    g_instance = this;
    qApp->installEventFilter(this);
}

THelpFileManager::~THelpFileManager()
{
    if (g_instance == this) {
        g_instance = nullptr;
    }
}

THelpFileManager* THelpFileManager::Instance()
{
    return g_instance;
}

void ShowHelpTopic(int context)
{
    if (THelpFileManager* manager = THelpFileManager::Instance()) {
        manager->ShowTopic(context);
    }
}

void SetButtonHelpContexts(QDialogButtonBox* buttons)
{
    const std::pair<QDialogButtonBox::StandardButton, int> topics[] = {
        {QDialogButtonBox::Ok, kOkTopic},
        {QDialogButtonBox::Cancel, kCancelTopic},
        {QDialogButtonBox::Help, kHelpButtonTopic},
    };
    for (const auto& [which, topic] : topics) {
        if (QPushButton* button = buttons->button(which)) {
            button->setProperty(kHelpContextProperty, topic);
        }
    }
}

void THelpFileManager::ShowTopic(int context)
{
    const HelpTopic* topic = FindHelpTopic(context);
    if (topic == nullptr) {
        topic = FindHelpTopic(kHelpContentsTopic);
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (!m_window) {
        m_window = std::make_unique<THelpWindow>();
    }
    m_window->ShowPage(Text(topic->page), Text(topic->anchor));
    m_window->show();
    KeepUsableFrom(modal);
    m_window->raise();
    m_window->activateWindow();
}

// A dialog that holds the program would block the help window as well, and its Help button
// would show a page nobody can scroll: while it runs, the help window belongs to it.
void THelpFileManager::KeepUsableFrom(QWidget* modal)
{
    QWindow* handle = m_window->windowHandle();
    if (handle == nullptr) {
        return;
    }
    QWindow* owner = modal != nullptr && modal != m_window.get() ? modal->windowHandle() : nullptr;
    if (handle->transientParent() != owner) {
        handle->setTransientParent(owner);
    }
}

// Shortcuts are matched before a key is pressed: claiming the override keeps a shortcut on F1
// (the Help menu's Contents) from running where a topic of its own applies, and the press that
// follows opens that topic.
bool THelpFileManager::eventFilter(QObject* watched, QEvent* event)
{
    const bool pressed = event->type() == QEvent::KeyPress;
    if ((pressed || event->type() == QEvent::ShortcutOverride) && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            EvHelpKey(static_cast<QWidget*>(watched), pressed)) {
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// True when the key is taken. A press reaches here only when no shortcut took F1, so where no
// topic applies it opens the contents.
bool THelpFileManager::EvHelpKey(QWidget* receiver, bool pressed)
{
    const std::optional<int> topic = TopicFor(receiver);
    if (!pressed) {
        return topic.has_value();
    }
    CloseMenus();
    ShowTopic(topic.value_or(kHelpContentsTopic));
    return true;
}

std::optional<int> THelpFileManager::TopicFor(QWidget* receiver)
{
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        return MenuTopic(*menu).value_or(kHelpContentsTopic);
    }
    QWidget* window = receiver->window();
    if (qobject_cast<QDialog*>(window) == nullptr) {
        if (const std::optional<int> topic = PointerTopic(window)) {
            return topic;
        }
    }
    return NearestContext(receiver);
}

// The topic the highlighted item carries, else the topic of the widget the menu belongs to (a
// pane's own menu).
std::optional<int> THelpFileManager::MenuTopic(const QMenu& menu)
{
    if (const QAction* action = menu.activeAction()) {
        bool isNumber = false;
        const int context = action->property(kHelpContextProperty).toInt(&isNumber);
        if (isNumber) {
            return context;
        }
    }
    return NearestContext(menu.parentWidget());
}

std::optional<int> THelpFileManager::PointerTopic(const QWidget* window)
{
    QWidget* under = QApplication::widgetAt(QCursor::pos());
    if (under == nullptr || under->window() != window) {
        return std::nullopt;
    }
    return NearestContext(under);
}

// Up to the widget's window: a message box is no part of the pane that opened it.
std::optional<int> THelpFileManager::NearestContext(const QWidget* widget)
{
    for (; widget != nullptr; widget = widget->isWindow() ? nullptr : widget->parentWidget()) {
        bool isNumber = false;
        const int context = widget->property(kHelpContextProperty).toInt(&isNumber);
        if (isNumber) {
            return context;
        }
    }
    return std::nullopt;
}
