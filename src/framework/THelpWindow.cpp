#include "framework/THelpWindow.h"

#include "framework/HelpTopics.h"
#include "framework/THelpFileManager.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr QSize kDefaultSize(800, 600);
constexpr int kContentsWidth = 200;

QIcon ThemeIcon(const QWidget* widget, const char* name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(name), widget->style()->standardIcon(fallback));
}

QAction* AddButton(QToolBar* bar, const QIcon& icon, const QString& text, const QKeySequence& keys)
{
    QAction* action = bar->addAction(icon, text);
    action->setShortcut(keys);
    action->setToolTip(QString(text).remove('&') + " (" + keys.toString(QKeySequence::NativeText) +
                       ")");
    return action;
}

QToolButton* FindBarButton(const QIcon& icon, const QString& tip)
{
    auto* button = new QToolButton;
    button->setIcon(icon);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

THelpWindow::THelpWindow(QWidget* parent) : QMainWindow(parent), m_browser(new QTextBrowser)
{
    LoadPages();
    setWindowTitle(tr("Spekla Help"));
    setObjectName("SpeklaHelp");
    setProperty(kHelpContextProperty, kHelpOnHelpTopic);
    // The program ends with its main window, even while the help stays open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(kDefaultSize);

    m_browser->setObjectName("browser");
    m_browser->setOpenExternalLinks(true);  // qrc: links stay here, web links go to the desktop
    connect(m_browser, &QTextBrowser::sourceChanged, this, &THelpWindow::EvSourceChanged);

    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_browser);
    pageLayout->addWidget(CreateFindBar());

    auto* splitter = new QSplitter;
    splitter->addWidget(CreateContentsList());
    splitter->addWidget(page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kContentsWidth, kDefaultSize.width() - kContentsWidth});
    setCentralWidget(splitter);
    CreateToolBar();
    ShowPage(Text(HelpPages().front().file));
}

void THelpWindow::LoadPages()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    (void)loaded;
}

QUrl THelpWindow::PageUrl(const QString& page, const QString& anchor)
{
    QUrl url(QStringLiteral("qrc:/help/") + page);
    if (!anchor.isEmpty()) {
        url.setFragment(anchor);
    }
    return url;
}

void THelpWindow::ShowPage(const QString& page, const QString& anchor)
{
    m_browser->setSource(PageUrl(page, anchor));
}

QUrl THelpWindow::Source() const
{
    return m_browser->source();
}

void THelpWindow::CreateToolBar()
{
    QToolBar* bar = addToolBar(tr("Navigation"));
    bar->setObjectName("navigation");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back = AddButton(bar, ThemeIcon(this, "go-previous", QStyle::SP_ArrowBack),
                              tr("&Back"), QKeySequence(Qt::ALT | Qt::Key_Left));
    QAction* forward = AddButton(bar, ThemeIcon(this, "go-next", QStyle::SP_ArrowForward),
                                 tr("&Forward"), QKeySequence(Qt::ALT | Qt::Key_Right));
    QAction* home = AddButton(bar, ThemeIcon(this, "go-home", QStyle::SP_DirHomeIcon),
                              tr("&Contents"), QKeySequence(Qt::ALT | Qt::Key_Home));
    QAction* find = AddButton(bar, ThemeIcon(this, "edit-find", QStyle::SP_FileDialogContentsView),
                              tr("&Find"), QKeySequence::Find);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(home, &QAction::triggered, this, [this] { ShowPage(Text(HelpPages().front().file)); });
    connect(find, &QAction::triggered, this, &THelpWindow::OpenFindBar);
    auto* close = new QAction(tr("Close"), this);
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
}

QWidget* THelpWindow::CreateContentsList()
{
    m_contents = new QListWidget;
    m_contents->setObjectName("contents");
    for (const HelpPage& page : HelpPages()) {
        auto* item = new QListWidgetItem(Text(page.title), m_contents);
        item->setData(Qt::UserRole, Text(page.file));
    }
    connect(m_contents, &QListWidget::currentRowChanged, this, &THelpWindow::EvContentsRowChanged);
    return m_contents;
}

QWidget* THelpWindow::CreateFindBar()
{
    m_findBar = new QWidget;
    m_findBar->setObjectName("findBar");
    m_findText = new QLineEdit;
    m_findText->setObjectName("findText");
    m_findText->setClearButtonEnabled(true);
    m_findStatus = new QLabel;
    m_findStatus->setObjectName("findStatus");
    QToolButton* previous =
        FindBarButton(ThemeIcon(this, "go-up", QStyle::SP_ArrowUp), tr("Previous (Shift+Enter)"));
    QToolButton* next =
        FindBarButton(ThemeIcon(this, "go-down", QStyle::SP_ArrowDown), tr("Next (Enter)"));
    QToolButton* close = FindBarButton(
        ThemeIcon(this, "window-close", QStyle::SP_DialogCloseButton), tr("Close (Esc)"));
    auto* layout = new QHBoxLayout(m_findBar);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(new QLabel(tr("Find:")));
    layout->addWidget(m_findText, 1);
    for (QWidget* widget : std::initializer_list<QWidget*>{previous, next, m_findStatus, close}) {
        layout->addWidget(widget);
    }
    connect(next, &QToolButton::clicked, this, [this] { FindFromBar(false); });
    connect(previous, &QToolButton::clicked, this, [this] { FindFromBar(true); });
    connect(close, &QToolButton::clicked, this, &THelpWindow::CloseFindBar);
    ConnectFindKeys();
    m_findBar->hide();
    return m_findBar;
}

// Enter finds on, Shift+Enter back, Esc closes the bar; typing finds as it goes.
void THelpWindow::ConnectFindKeys()
{
    connect(m_findText, &QLineEdit::returnPressed, this, [this] { FindFromBar(false); });
    connect(m_findText, &QLineEdit::textEdited, this, &THelpWindow::EvFindTextEdited);
    auto* backward = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Return), m_findBar);
    backward->setContext(Qt::WidgetWithChildrenShortcut);
    connect(backward, &QShortcut::activated, this, [this] { FindFromBar(true); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_findBar);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &THelpWindow::CloseFindBar);
}

// The find bar's own Esc shortcut comes first; an Esc the page and the list leave comes here.
void THelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void THelpWindow::OpenFindBar()
{
    m_findBar->show();
    m_findText->setFocus(Qt::ShortcutFocusReason);
    m_findText->selectAll();
}

void THelpWindow::CloseFindBar()
{
    m_findBar->hide();
    m_findStatus->clear();
    m_browser->setFocus(Qt::OtherFocusReason);
}

bool THelpWindow::Find(const QString& text, bool backward)
{
    if (text.isEmpty()) {
        return false;
    }
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (m_browser->find(text, flags)) {
        return true;
    }
    const QTextCursor before = m_browser->textCursor();
    QTextCursor from(m_browser->document());
    from.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    m_browser->setTextCursor(from);
    if (m_browser->find(text, flags)) {
        return true;
    }
    m_browser->setTextCursor(before);
    return false;
}

void THelpWindow::FindFromBar(bool backward)
{
    const QString text = m_findText->text();
    ShowFindResult(text.isEmpty() || Find(text, backward));
}

// Typing on widens the match in place instead of jumping to the next one.
void THelpWindow::EvFindTextEdited(const QString& text)
{
    QTextCursor cursor = m_browser->textCursor();
    cursor.setPosition(cursor.selectionStart());
    m_browser->setTextCursor(cursor);
    ShowFindResult(text.isEmpty() || Find(text));
}

void THelpWindow::ShowFindResult(bool found)
{
    m_findStatus->setText(found ? QString() : tr("Not found"));
}

// The contents list marks the page shown, however it was reached.
void THelpWindow::EvSourceChanged(const QUrl& url)
{
    const QString file = url.fileName();
    const QSignalBlocker blocker(m_contents);
    for (int row = 0; row < m_contents->count(); ++row) {
        if (m_contents->item(row)->data(Qt::UserRole).toString() == file) {
            m_contents->setCurrentRow(row);
            return;
        }
    }
    m_contents->clearSelection();
}

void THelpWindow::EvContentsRowChanged(int row)
{
    if (row >= 0) {
        ShowPage(m_contents->item(row)->data(Qt::UserRole).toString());
    }
}
