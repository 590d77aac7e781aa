#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class ClientDataSet;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Keeps edit controls and the fields of a dataset's current record in step:
// a control shows its field, and what the user types goes into the field
// when the control is left (Enter moves on, so the value is written then).
// Writing a field puts the dataset into edit mode when it is browsing.
class FieldBinder : public QObject {
    Q_OBJECT
public:
    explicit FieldBinder(ClientDataSet* dataset, QObject* parent = nullptr);

    void bind(QLineEdit* edit, const QString& field);
    void bind(QPlainTextEdit* edit, const QString& field);
    void bind(QDateEdit* edit, const QString& field);
    // Items carry the stored value as their data (Qt::UserRole); the shown
    // text may differ.
    void bind(QComboBox* combo, const QString& field);
    void bind(QCheckBox* box, const QString& field, const QString& on = QStringLiteral("S"),
              const QString& off = QStringLiteral("N"));

    // Shows the current values in every control.
    void refresh();
    // Writes what the user typed in a control still being edited.
    void flush();

private:
    struct Binding {
        QPointer<QWidget> widget;
        QString field;
        std::function<void()> show;
        std::function<void()> store;
    };
    void write(const QString& field, const class Value& value);
    ClientDataSet* dataset_;
    std::vector<Binding> bindings_;
    bool showing_ = false;
};
