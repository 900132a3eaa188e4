#include "form.h"

#include "platform/ui/text_boxes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

Form::Form(QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    setLayoutDirection(Qt::RightToLeft);
    // Its Persian text boxes and viewers read from the right edge.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        TextBoxes::installRightToLeft(*app);
}

int Form::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    const int result = exec();
    setWindowModality(Qt::NonModal);
    return result;
}

void Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    emit shown();
}

void Form::done(int result)
{
    // Every way of closing ends here: the title bar's close box and close()
    // (through the close event), accept and reject.
    const bool wasVisible = isVisible();
    QDialog::done(result);
    if (wasVisible && !isVisible())
        emit closed();
}

void Form::closeEvent(QCloseEvent* event)
{
    // A visible window is closed through done(), which says so.
    QDialog::closeEvent(event);
}

void Form::keyPressEvent(QKeyEvent* event)
{
    // Enter belongs to the boxes (it moves to the next box). Escape closes no
    // window: a window closes by its buttons or its title bar's close box, so
    // that a stray key never takes away what was typed and not yet saved.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
