#include "patients/tablacodigos.h"

#include "data/ClientDataSet.h"
#include "data/DataSetError.h"
#include "data/Provider.h"
#include "data/dm.h"
#include "patients/navegador.h"
#include "ui/DataGrid.h"
#include "ui/GridServices.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

TfTablaCodigos::TfTablaCodigos(const Definicion& d, QueryObject& query, ScreenBase* owner)
    : ScreenBase(owner), codigo_(d.codigo) {
    setObjectName(d.nombre);
    setWindowTitle(d.titulo);

    proveedor = new Provider(QStringLiteral("P") + d.raiz, query, this);
    filas = new ClientDataSet(QStringLiteral("C") + d.raiz, this);
    filas->setProvider(proveedor);
    filas->beforePost = [this](ClientDataSet& ds) { antesDeGrabarFila(ds); };

    auto* main = new QVBoxLayout(this);
    DBGrid1 = new DataGrid;
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumns(d.columnas);
    DBGrid1->setDataSet(filas);
    DBGrid1->setEditable(true);
    DBGrid1->setFitColumnsToWidth(true);
    DBGrid1->setHighlightCurrentRow(true);
    DBGrid1->setEnterMovesToNextCell(true);
    servicios = new GridServices(this, d.servicios);
    servicios->attach(DBGrid1);
    main->addWidget(DBGrid1, 1);

    auto* pie = new QHBoxLayout;
    navegador = new Navegador(filas, Navegador::Edicion);
    pie->addWidget(navegador);
    pie->addStretch();
    SBGrabar = new QPushButton(QStringLiteral("F2: Grabar"));
    SBCancelar = new QPushButton(QStringLiteral("Esc: Cancelar"));
    for (QPushButton* b : {SBGrabar, SBCancelar}) {
        b->setFocusPolicy(Qt::NoFocus);
        pie->addWidget(b);
    }
    main->addLayout(pie);

    connect(SBGrabar, &QPushButton::clicked, this, [this] { SBGrabarClick(); });
    connect(SBCancelar, &QPushButton::clicked, this, [this] { SBCancelarClick(); });
    onKey(Qt::Key_F2, [this] { SBGrabarClick(); });
    onKey(Qt::Key_Escape, [this] { SBCancelarClick(); });

    // --- creation, in its order
    ready();
    fdm->protect([this] { filas->open(); }, proveedor);
    DataGrid::setSearchDelay(fdm->duracion_busqueda);
    placeCentered(kAncho, kAlto);
    resize(kAncho, kAlto);
}

TfTablaCodigos::~TfTablaCodigos() = default;

void TfTablaCodigos::antesDeGrabarFila(ClientDataSet& ds) {
    const Value codigo = ds.value(codigo_);
    if (codigo.isNull() || codigo.toString().trimmed().isEmpty()) {
        ds.cancel();
        throw OperationAborted(); // dropped without a word
    }
}

bool TfTablaCodigos::eventFilter(QObject* watched, QEvent* event) {
    // Enter belongs to the grid and its cell editors: it moves to the next
    // cell instead of leaving the grid.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && w &&
            (w == DBGrid1 || DBGrid1->isAncestorOf(w)))
            return QWidget::eventFilter(watched, event);
    }
    return ScreenBase::eventFilter(watched, event);
}

bool TfTablaCodigos::SBGrabarClick() {
    if (!filas->active())
        return false;
    bool grabado = false;
    fdm->protect(
        [this, &grabado] {
            // the cell being typed counts
            QWidget* editor = QApplication::focusWidget();
            if (editor && DBGrid1->viewport()->isAncestorOf(editor)) {
                QMetaObject::invokeMethod(DBGrid1, "commitData", Q_ARG(QWidget*, editor));
                QMetaObject::invokeMethod(DBGrid1, "closeEditor", Q_ARG(QWidget*, editor),
                                          Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
            }
            try {
                filas->post();
            } catch (const OperationAborted&) {
                if (filas->state() != ClientDataSet::State::Browse)
                    throw; // the row was refused and the user told: nothing is sent
                // a row without code was dropped; the others are sent
            }
            grabado = filas->applyUpdates(0) == 0;
        },
        proveedor);
    if (grabado)
        closeScreen();
    return grabado;
}

void TfTablaCodigos::SBCancelarClick() {
    if (filas->active()) {
        filas->cancel();
        filas->cancelUpdates();
    }
    closeScreen();
}
