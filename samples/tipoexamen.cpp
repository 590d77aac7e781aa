#include "samples/tipoexamen.h"

#include "data/ClientDataSet.h"
#include "data/Provider.h"
#include "data/dm.h"
#include "samples/dmips.h"
#include "ui/DataGrid.h"
#include "ui/GridServices.h"
#include "ui/GridSettings.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

Tftipoexamen::Tftipoexamen(ScreenBase* owner) : ScreenBase(owner) {
    setObjectName(QStringLiteral("Ftipoexamen"));
    setWindowTitle(QStringLiteral("Tipos de exámen"));

    auto* pTipoexamen = new Provider(QStringLiteral("PTipoexamen"), Fdmips->TTipoexamen, this);
    CTipoexamen = new ClientDataSet(QStringLiteral("CTipoexamen"), this);
    CTipoexamen->setProvider(pTipoexamen);

    auto* main = new QVBoxLayout(this);
    // the navigator over the grid, the buttons under it
    auto* navigator = new QHBoxLayout;
    auto navButton = [&](const QString& text, const QString& tip) {
        auto* b = new QToolButton;
        b->setText(text);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(true);
        navigator->addWidget(b);
        return b;
    };
    NavPrimero = navButton(QStringLiteral("|◀"), QStringLiteral("Primero"));
    NavAnterior = navButton(QStringLiteral("◀"), QStringLiteral("Anterior"));
    NavSiguiente = navButton(QStringLiteral("▶"), QStringLiteral("Siguiente"));
    NavUltimo = navButton(QStringLiteral("▶|"), QStringLiteral("Último"));
    NavInsertar = navButton(QStringLiteral("+"), QStringLiteral("Insertar"));
    NavBorrar = navButton(QStringLiteral("−"), QStringLiteral("Borrar"));
    navigator->addStretch();
    main->addLayout(navigator);

    DBGrid = new DataGrid;
    DBGrid->setObjectName(QStringLiteral("DBGrid"));
    DBGrid->setDataSet(CTipoexamen);
    DBGrid->setColumns({GridColumn::text(QStringLiteral("TIEX_COD"), QStringLiteral("Código"), 60),
                        GridColumn::text(QStringLiteral("TIEX_NOM"), QStringLiteral("Nombre"), 250)});
    DBGrid->horizontalHeader()->setStretchLastSection(true); // the name takes the rest
    DBGrid->setEditable(true);
    DBGrid->setEnterMovesToNextCell(true);
    // plain rows, so the highlighted current row stands out
    DBGrid->setAlternateRows(false);
    DBGrid->setHighlightCurrentRow(true);
    DBGrid->setTitleClicks(DataGrid::TitleClicks::SortLoadedRows);
    servicios = new GridServices(this, GridSettings::tipoExamen());
    servicios->attach(DBGrid);
    main->addWidget(DBGrid, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    SBGrabar = new QPushButton(QStringLiteral("F2: Grabar"));
    SBCancelar = new QPushButton(QStringLiteral("Esc: Cancelar"));
    for (QPushButton* b : {SBGrabar, SBCancelar}) {
        b->setFocusPolicy(Qt::NoFocus);
        bottom->addWidget(b);
    }
    main->addLayout(bottom);

    onKey(Qt::Key_F2, [this] { SBGrabarClick(); });
    onKey(Qt::Key_Escape, [this] { SBCancelarClick(); });
    connect(SBGrabar, &QPushButton::clicked, this, [this] { SBGrabarClick(); });
    connect(SBCancelar, &QPushButton::clicked, this, [this] { SBCancelarClick(); });
    connect(NavPrimero, &QToolButton::clicked, this, [this] { navegar(&ClientDataSet::first); });
    connect(NavAnterior, &QToolButton::clicked, this, [this] { navegar(&ClientDataSet::prior); });
    connect(NavSiguiente, &QToolButton::clicked, this, [this] { navegar(&ClientDataSet::next); });
    connect(NavUltimo, &QToolButton::clicked, this, [this] { navegar(&ClientDataSet::last); });
    connect(NavInsertar, &QToolButton::clicked, this, [this] {
        if (!CTipoexamen->active())
            return;
        terminar_celda();
        if (fdm->protect([this] { CTipoexamen->append(); })) {
            DBGrid->setFocus();
            DBGrid->setCurrentIndex(DBGrid->model()->index(CTipoexamen->recNo(), 0));
        }
    });
    connect(NavBorrar, &QToolButton::clicked, this, [this] {
        if (!CTipoexamen->active() || CTipoexamen->isEmpty())
            return;
        terminar_celda();
        fdm->protect([this] { CTipoexamen->remove(); });
    });

    placeCentered(380, 350);
    ready();

    fdm->protect([this] { CTipoexamen->open(); });
}

Tftipoexamen::~Tftipoexamen() = default;

void Tftipoexamen::terminar_celda() {
    // A cell being typed in holds the focus; its text goes into the record.
    QWidget* editor = DBGrid->focusWidget();
    if (!editor || !DBGrid->viewport()->isAncestorOf(editor))
        return;
    while (editor->parentWidget() != DBGrid->viewport())
        editor = editor->parentWidget();
    QAbstractItemDelegate* delegate = DBGrid->itemDelegate();
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool Tftipoexamen::eventFilter(QObject* watched, QEvent* event) {
    // Enter in a cell being typed in stores the cell and goes on to the next
    // one, as Enter does on a cell that is not being edited.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && !(key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) && w &&
            DBGrid->viewport()->isAncestorOf(w)) {
            terminar_celda();
            QKeyEvent next(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(DBGrid, &next);
            return true;
        }
    }
    return ScreenBase::eventFilter(watched, event);
}

void Tftipoexamen::navegar(void (ClientDataSet::*paso)()) {
    if (!CTipoexamen->active())
        return;
    terminar_celda();
    fdm->protect([&] { (CTipoexamen->*paso)(); });
}

bool Tftipoexamen::SBGrabarClick() {
    if (!CTipoexamen->active())
        return false;
    terminar_celda();
    int rechazados = -1;
    // one batch that goes on past refused rows; each one is reported as it comes
    fdm->protect([&] { rechazados = CTipoexamen->applyUpdates(-1); });
    if (rechazados != 0)
        return false; // the refused changes stay pending for a correction
    closeScreen();
    return true;
}

void Tftipoexamen::SBCancelarClick() {
    CTipoexamen->cancelUpdates();
    closeScreen();
}
