#pragma once

#include <QObject>
#include <QString>

// The third party data module.
class Tfdmter : public QObject {
    Q_OBJECT
public:
    explicit Tfdmter(QObject* parent = nullptr);
    ~Tfdmter() override;

    QString nit_pendiente; // identification handed to the next screen
    QString nit_modificar; // third party a modification screen opens on
};

extern Tfdmter* fdmter;
