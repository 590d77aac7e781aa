#include "ui/FieldBinder.h"

#include "data/ClientDataSet.h"
#include "data/dm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
// Runs when a plain text edit loses the focus.
class FocusOut : public QObject {
public:
    FocusOut(QObject* parent, std::function<void()> f) : QObject(parent), f_(std::move(f)) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::FocusOut)
            f_();
        return QObject::eventFilter(watched, e);
    }

private:
    std::function<void()> f_;
};

bool editing(const ClientDataSet* ds) {
    return ds->state() == ClientDataSet::State::Edit || ds->state() == ClientDataSet::State::Insert;
}
} // namespace

FieldBinder::FieldBinder(ClientDataSet* dataset, QObject* parent) : QObject(parent), dataset_(dataset) {
    connect(dataset, &ClientDataSet::currentChanged, this, &FieldBinder::refresh);
    connect(dataset, &ClientDataSet::rowChanged, this, &FieldBinder::refresh);
    connect(dataset, &ClientDataSet::stateChanged, this, &FieldBinder::refresh);
    connect(dataset, &ClientDataSet::layoutChanged, this, &FieldBinder::refresh);
}

void FieldBinder::write(const QString& field, const Value& value) {
    if (showing_ || !dataset_->active())
        return;
    const Value current = dataset_->value(field);
    if (current == value || (current.isNull() && value.isNull()))
        return;
    fdm->protect([&] {
        if (!editing(dataset_))
            dataset_->edit();
        dataset_->setValue(field, value);
    });
}

void FieldBinder::bind(QLineEdit* edit, const QString& field) {
    Binding b;
    b.widget = edit;
    b.field = field;
    b.show = [this, edit, field] {
        const QString t = dataset_->active() ? dataset_->value(field).toString() : QString();
        if (edit->text() != t)
            edit->setText(t);
    };
    b.store = [this, edit, field] {
        const QString t = edit->text();
        write(field, t.isEmpty() ? Value() : Value(t));
    };
    const int i = dataset_->active() ? dataset_->fieldIndex(field) : -1;
    if (i >= 0 && dataset_->field(i).isText() && dataset_->field(i).size > 0)
        edit->setMaxLength(dataset_->field(i).size);
    connect(edit, &QLineEdit::editingFinished, this, b.store);
    bindings_.push_back(b);
    b.show();
}

void FieldBinder::bind(QPlainTextEdit* edit, const QString& field) {
    Binding b;
    b.widget = edit;
    b.field = field;
    b.show = [this, edit, field] {
        const QString t = dataset_->active() ? dataset_->value(field).toString() : QString();
        if (edit->toPlainText() != t)
            edit->setPlainText(t);
    };
    b.store = [this, edit, field] {
        const QString t = edit->toPlainText();
        write(field, t.isEmpty() ? Value() : Value(t));
    };
    edit->installEventFilter(new FocusOut(edit, b.store));
    bindings_.push_back(b);
    b.show();
}

void FieldBinder::bind(QDateEdit* edit, const QString& field) {
    Binding b;
    b.widget = edit;
    b.field = field;
    edit->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    b.show = [this, edit, field] {
        const QDate d = dataset_->active() ? dataset_->value(field).toDate() : QDate();
        if (d.isValid() && edit->date() != d)
            edit->setDate(d);
    };
    b.store = [this, edit, field] { write(field, Value(edit->date())); };
    connect(edit, &QDateEdit::editingFinished, this, b.store);
    bindings_.push_back(b);
    b.show();
}

void FieldBinder::bind(QComboBox* combo, const QString& field) {
    Binding b;
    b.widget = combo;
    b.field = field;
    b.show = [this, combo, field] {
        const Value v = dataset_->active() ? dataset_->value(field) : Value();
        int found = -1;
        for (int i = 0; i < combo->count() && !v.isNull(); ++i)
            if (combo->itemData(i).toString() == v.toString()) {
                found = i;
                break;
            }
        if (found < 0 && combo->isEditable()) {
            combo->setCurrentIndex(-1);
            combo->setEditText(v.toString());
        } else if (combo->currentIndex() != found) {
            combo->setCurrentIndex(found);
        }
    };
    b.store = [this, combo, field] {
        const QVariant data = combo->currentIndex() >= 0 ? combo->currentData() : QVariant();
        write(field, data.isValid() ? Value(data.toString()) : Value());
    };
    connect(combo, qOverload<int>(&QComboBox::activated), this, b.store);
    bindings_.push_back(b);
    b.show();
}

void FieldBinder::bind(QCheckBox* box, const QString& field, const QString& on, const QString& off) {
    Binding b;
    b.widget = box;
    b.field = field;
    b.show = [this, box, field, on] {
        const bool checked = dataset_->active() && dataset_->value(field).toString() == on;
        if (box->isChecked() != checked)
            box->setChecked(checked);
    };
    b.store = [this, box, field, on, off] { write(field, Value(box->isChecked() ? on : off)); };
    connect(box, &QCheckBox::clicked, this, b.store);
    bindings_.push_back(b);
    b.show();
}

void FieldBinder::refresh() {
    if (showing_)
        return;
    showing_ = true;
    for (const Binding& b : bindings_)
        if (b.widget)
            b.show();
    showing_ = false;
}

void FieldBinder::flush() {
    QWidget* focus = nullptr;
    for (const Binding& b : bindings_)
        if (b.widget && b.widget->hasFocus())
            focus = b.widget;
    for (const Binding& b : bindings_)
        if (b.widget == focus)
            b.store();
}
