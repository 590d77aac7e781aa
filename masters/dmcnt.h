#pragma once

#include <QObject>
#include <QString>

// The accounts data module.
class Tfdmcnt : public QObject {
    Q_OBJECT
public:
    explicit Tfdmcnt(QObject* parent = nullptr);
    ~Tfdmcnt() override;

    QString ano_contable;
    int periodo_contable = 0;
    QString codigo_cuenta;
    QString cuenta_buscada;
};

extern Tfdmcnt* fdmcnt;
