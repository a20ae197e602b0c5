#include "support/QtTestSupport.h"

#include <vector>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

SeenBox AnswerNextMessageBox(const std::function<void()>& act, QMessageBox::StandardButton answer)
{
    SeenBox seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen = {true, box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        QAbstractButton* button = box->button(answer);
        button != nullptr ? button->click() : box->reject();
    });
    poll.start(5);
    act();
    QCoreApplication::processEvents();  // a box opened at the very end still gets answered
    return seen;
}

void Retype(QLineEdit* edit, const QString& keys)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, keys);
}

SeenBox ClickOk(QDialog& dialog)
{
    QPushButton* ok = Find<QDialogButtonBox>(dialog)->button(QDialogButtonBox::Ok);
    return AnswerNextMessageBox([ok] { QTest::mouseClick(ok, Qt::LeftButton); });
}

namespace {

std::vector<std::function<std::unique_ptr<QObject>()>>& Registered()
{
    static std::vector<std::function<std::unique_ptr<QObject>()>> tests;
    return tests;
}

}  // namespace

int RegisterQtTest(std::function<std::unique_ptr<QObject>()> make)
{
    Registered().push_back(std::move(make));
    return static_cast<int>(Registered().size());
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    int failures = 0;
    for (const auto& make : Registered()) {
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
