#include "Services.h"
#include "MMControl.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace platform {

int Services::msgBox(QWidget* owner, const QString& prompt, int /*buttons*/, const QString& title)
{
    // The program only ever asks Yes/No questions.
    QMessageBox box(owner);
    box.setWindowTitle(title);
    box.setText(prompt);
    box.setIcon(QMessageBox::NoIcon);
    QPushButton* yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("yes"));
    no->setObjectName(QStringLiteral("no"));
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? vbYes : vbNo;
}

QString Services::inputBox(QWidget* owner, const QString& prompt, const QString& title, const QString& defaultText)
{
    QInputDialog dialog(owner);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    dialog.setInputMode(QInputDialog::TextInput);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

void Services::beep() { QApplication::beep(); }

void Services::end()
{
    // No handler may run after this, so leave without unwinding the event
    // loops a running handler may sit in.
    shutdownSound();
    std::fflush(nullptr);
    std::_Exit(0);
}

void Services::doEvents()
{
    // Posted update requests are among the events, so whatever was drawn or
    // relabelled before the call is painted when it returns.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

float Services::rnd() { return random_.Rnd(); }
void Services::randomize(double seed) { random_.Randomize(seed); }

float Services::timer()
{
    return float(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

std::uint64_t Services::initialSeed()
{
    std::random_device device;
    return (std::uint64_t(device()) << 32) ^ device();
}

namespace {
Services* replacement = nullptr;
}

Services& services()
{
    static Services real;
    return replacement ? *replacement : real;
}

void setServices(Services* r) { replacement = r; }

std::optional<double> replyValue(const QString& reply)
{
    return rt::ParseReply(reply.toStdString());
}

} // namespace platform
