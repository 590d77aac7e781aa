#include "common/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {
QWidget* parentWindow() { return QApplication::activeWindow(); }
const QString caption() { return QApplication::applicationDisplayName(); }
} // namespace

void QtDialogs::beep() { QApplication::beep(); }

void QtDialogs::error(const QString& text) {
    QMessageBox::critical(parentWindow(), caption().isEmpty() ? QStringLiteral("Error") : caption(), text);
}

void QtDialogs::information(const QString& text) { QMessageBox::information(parentWindow(), caption(), text); }

bool QtDialogs::confirm(const QString& text) {
    return QMessageBox::question(parentWindow(), caption(), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QString QtDialogs::openFileName(const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parentWindow(), title, QString(), filter);
}

QString QtDialogs::saveFileName(const QString& title, const QString& suggested, const QString& filter) {
    return QFileDialog::getSaveFileName(parentWindow(), title, suggested, filter);
}

QString QtDialogs::saveFileNameWithType(const QString& title, const QString& suggested, const QString& filter,
                                        int& filterIndex) {
    QString selected;
    const QString name = QFileDialog::getSaveFileName(parentWindow(), title, suggested, filter, &selected);
    filterIndex = name.isEmpty() ? -1 : int(filter.split(QStringLiteral(";;")).indexOf(selected));
    return name;
}
