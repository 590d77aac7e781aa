#pragma once

#include <QObject>
#include <QString>

// The agenda data module.
class Tfdmcrm : public QObject {
    Q_OBJECT
public:
    explicit Tfdmcrm(QObject* parent = nullptr);
    ~Tfdmcrm() override;

    QString nit_compromiso;
    QString id_compromiso;
    bool modifica_compromiso = false;
};

extern Tfdmcrm* fdmcrm;
