#pragma once

#include <QPointer>
#include <QWidget>

class ClientDataSet;
class QToolButton;

// The navigator under a list: first, prior, next and last, and on editable
// lists insert and delete. Each button moves or changes the dataset the way
// the grid above it shows; errors (a row the dataset refuses to post) go to
// the program's error handling.
class Navegador : public QWidget {
    Q_OBJECT
public:
    enum Botones { Movimiento = 0, Edicion = 1 };

    Navegador(ClientDataSet* dataset, Botones botones, QWidget* parent = nullptr);

    QToolButton* primero = nullptr;
    QToolButton* anterior = nullptr;
    QToolButton* siguiente = nullptr;
    QToolButton* ultimo = nullptr;
    QToolButton* insertar = nullptr; // null unless Edicion
    QToolButton* borrar = nullptr;   // null unless Edicion

private:
    QToolButton* boton(const QString& text, const QString& tip, void (Navegador::*action)());
    void irPrimero();
    void irAnterior();
    void irSiguiente();
    void irUltimo();
    void insertarFila();
    void borrarFila();

    QPointer<ClientDataSet> dataset_;
};
