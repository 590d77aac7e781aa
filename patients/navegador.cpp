#include "patients/navegador.h"

#include "data/ClientDataSet.h"
#include "ui/GridError.h"

#include <QHBoxLayout>
#include <QToolButton>

Navegador::Navegador(ClientDataSet* dataset, Botones botones, QWidget* parent)
    : QWidget(parent), dataset_(dataset) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    primero = boton(QStringLiteral("|<"), QStringLiteral("Primero"), &Navegador::irPrimero);
    anterior = boton(QStringLiteral("<"), QStringLiteral("Anterior"), &Navegador::irAnterior);
    siguiente = boton(QStringLiteral(">"), QStringLiteral("Siguiente"), &Navegador::irSiguiente);
    ultimo = boton(QStringLiteral(">|"), QStringLiteral("Último"), &Navegador::irUltimo);
    for (QToolButton* b : {primero, anterior, siguiente, ultimo})
        row->addWidget(b);
    if (botones == Edicion) {
        insertar = boton(QStringLiteral("+"), QStringLiteral("Insertar"), &Navegador::insertarFila);
        borrar = boton(QStringLiteral("-"), QStringLiteral("Borrar"), &Navegador::borrarFila);
        row->addWidget(insertar);
        row->addWidget(borrar);
    }
    row->addStretch();
}

QToolButton* Navegador::boton(const QString& text, const QString& tip, void (Navegador::*action)()) {
    auto* b = new QToolButton(this);
    b->setText(text);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumWidth(26);
    connect(b, &QToolButton::clicked, this, action);
    return b;
}

void Navegador::irPrimero() {
    if (dataset_ && dataset_->active())
        runGridAction([this] { dataset_->first(); }, dataset_);
}

void Navegador::irAnterior() {
    if (dataset_ && dataset_->active())
        runGridAction([this] { dataset_->prior(); }, dataset_);
}

void Navegador::irSiguiente() {
    if (dataset_ && dataset_->active())
        runGridAction([this] { dataset_->next(); }, dataset_);
}

void Navegador::irUltimo() {
    if (dataset_ && dataset_->active())
        runGridAction([this] { dataset_->last(); }, dataset_);
}

void Navegador::insertarFila() {
    if (dataset_ && dataset_->active())
        runGridAction([this] { dataset_->insert(); }, dataset_);
}

void Navegador::borrarFila() {
    if (dataset_ && dataset_->active() && !dataset_->isEmpty())
        runGridAction([this] { dataset_->remove(); }, dataset_);
}
