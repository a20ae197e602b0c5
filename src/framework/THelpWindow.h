#pragma once

#include <QMainWindow>
#include <QUrl>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;

// The help window: the list of pages on the left, the page on the right, a tool bar to go back,
// forward and to the contents, and a find bar (Ctrl+F) that searches the page shown without
// regard to case. Links between help pages open here; links to the web open in the desktop's
// browser. Esc closes the find bar when it has the focus, otherwise the window.
class THelpWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // A page of the help folder, at the element whose id is `anchor` (empty: the page's top).
    void ShowPage(const QString& page, const QString& anchor = QString());
    // The address shown, as qrc:/help/page.html#anchor.
    QUrl Source() const;

    // Opens the find bar with its text selected.
    void OpenFindBar();
    // Selects the next (or previous) place of `text` on the page, ignoring case, going round the
    // page's end once. False when the page does not hold it; the selection then stays.
    bool Find(const QString& text, bool backward = false);

    static QUrl PageUrl(const QString& page, const QString& anchor = QString());
    // Makes the pages readable under :/help; idempotent.
    static void LoadPages();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateToolBar();
    QWidget* CreateFindBar();
    void ConnectFindKeys();
    QWidget* CreateContentsList();
    void FindFromBar(bool backward);
    void EvFindTextEdited(const QString& text);
    void ShowFindResult(bool found);
    void CloseFindBar();
    void EvSourceChanged(const QUrl& url);
    void EvContentsRowChanged(int row);

    QTextBrowser* m_browser;
    QListWidget* m_contents = nullptr;
    QWidget* m_findBar = nullptr;
    QLineEdit* m_findText = nullptr;
    QLabel* m_findStatus = nullptr;
};
