#include "samples/tomamuest.h"

#include "common/SqlText.h"
#include "common/UserDialogs.h"
#include "data/ClientDataSet.h"
#include "data/DataSetError.h"
#include "data/Provider.h"
#include "data/dm.h"
#include "patients/dmter.h"
#include "samples/dmips.h"
#include "ui/FieldBinder.h"
#include "ui/Pantallas.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const char* const kExamFields[8] = {"TOMA_EXAMEN",  "TOMA_EXAMEN2", "TOMA_EXAMEN3", "TOMA_EXAMEN4",
                                    "TOMA_EXAMEN5", "TOMA_EXAMEN6", "TOMA_EXAMEN7", "TOMA_EXAMEN8"};
}

Tftomamuest::Tftomamuest(ScreenBase* owner) : ScreenBase(owner) {
    setObjectName(QStringLiteral("Ftomamuest"));
    setWindowTitle(QStringLiteral("Toma de muestras"));

    auto* pTomamuest = new Provider(QStringLiteral("PTomamuest"), Fdmips->TTomamuest, this);
    CTomamuest = new ClientDataSet(QStringLiteral("CTomamuest"), this);
    CTomamuest->setProvider(pTomamuest);
    auto* pTipoexamen = new Provider(QStringLiteral("PTipoexamen"), Fdmips->TTipoexamen, this);
    CTipoexamen = new ClientDataSet(QStringLiteral("CTipoexamen"), this);
    CTipoexamen->setProvider(pTipoexamen);
    auto* pBorrar = new Provider(QStringLiteral("PBorrar"), fdm->QBorrar, this);
    CBorrar = new ClientDataSet(QStringLiteral("CBorrar"), this);
    CBorrar->setProvider(pBorrar);

    // --- layout
    auto* main = new QVBoxLayout(this);
    auto* paciente = new QGroupBox(QStringLiteral("Paciente"));
    auto* pg = new QGridLayout(paciente);
    DBEditNit = new QLineEdit;
    DBEditNit->setObjectName(QStringLiteral("DBEditNit"));
    SBPaciente = new QToolButton;
    SBPaciente->setText(QStringLiteral("..."));
    SBPaciente->setToolTip(QStringLiteral("Editar cliente"));
    SBMuestras = new QToolButton;
    SBMuestras->setText(QStringLiteral("#"));
    SBMuestras->setToolTip(QStringLiteral("Editar cliente"));
    for (QToolButton* b : {SBPaciente, SBMuestras})
        b->setFocusPolicy(Qt::NoFocus);
    DBEditNom = new QLineEdit;
    DBEditNom->setObjectName(QStringLiteral("DBEditNom"));
    DBEditIdhis = new QLineEdit;
    DBEditIdhis->setObjectName(QStringLiteral("DBEditIdhis"));
    pg->addWidget(new QLabel(QStringLiteral("Identificación:")), 0, 0);
    auto* nitRow = new QHBoxLayout;
    nitRow->addWidget(DBEditNit);
    nitRow->addWidget(SBPaciente);
    nitRow->addWidget(SBMuestras);
    pg->addLayout(nitRow, 0, 1);
    pg->addWidget(new QLabel(QStringLiteral("Nombre:")), 1, 0);
    pg->addWidget(DBEditNom, 1, 1);
    pg->addWidget(new QLabel(QStringLiteral("ID Historia:")), 2, 0);
    pg->addWidget(DBEditIdhis, 2, 1);
    main->addWidget(paciente);

    auto* datos = new QGridLayout;
    DBFecha = new QDateEdit;
    DBFecha->setObjectName(QStringLiteral("DBFecha"));
    DBFecha->setCalendarPopup(true);
    CBNromues = new QComboBox;
    CBNromues->setObjectName(QStringLiteral("CBNromues"));
    CBNromues->setEditable(true);
    for (int i = 1; i <= 8; ++i)
        CBNromues->addItem(QString::number(i), QString::number(i));
    datos->addWidget(new QLabel(QStringLiteral("Fecha:")), 0, 0);
    datos->addWidget(DBFecha, 0, 1);
    datos->addWidget(new QLabel(QStringLiteral("Número de muestras:")), 0, 2);
    datos->addWidget(CBNromues, 0, 3);
    // tubes 1 to 4 on the left, 5 to 8 on the right: all eight fit the window
    for (int i = 0; i < 8; ++i) {
        LExamen[i] = new QLabel(QStringLiteral("Tipo exámen %1:").arg(i + 1));
        CBExamen[i] = new QComboBox;
        CBExamen[i]->setObjectName(QStringLiteral("CBExamen%1").arg(i + 1));
        CBExamen[i]->setMinimumWidth(120);
        CBExamen[i]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        CBExamen[i]->setMinimumContentsLength(12);
        datos->addWidget(LExamen[i], (i % 4) + 1, (i / 4) * 2);
        datos->addWidget(CBExamen[i], (i % 4) + 1, (i / 4) * 2 + 1);
    }
    SBTipoexamen = new QToolButton;
    SBTipoexamen->setText(QStringLiteral("..."));
    SBTipoexamen->setToolTip(QStringLiteral("Editar cliente"));
    SBTipoexamen->setFocusPolicy(Qt::NoFocus);
    auto* examen1 = new QHBoxLayout;
    datos->removeWidget(CBExamen[0]);
    examen1->addWidget(CBExamen[0], 1);
    examen1->addWidget(SBTipoexamen);
    datos->addLayout(examen1, 1, 1);
    main->addLayout(datos);
    main->addWidget(new QLabel(QStringLiteral("Observación:")));
    DBObs = new QPlainTextEdit;
    DBObs->setObjectName(QStringLiteral("DBObs"));
    DBObs->setTabChangesFocus(true);
    DBObs->setMaximumHeight(60);
    main->addWidget(DBObs);
    auto* buttons = new QHBoxLayout;
    SBGrabar = new QPushButton(QStringLiteral("F2: Grabar"));
    SBCancelar = new QPushButton(QStringLiteral("Esc: Cancelar"));
    for (QPushButton* b : {SBGrabar, SBCancelar})
        b->setFocusPolicy(Qt::NoFocus);
    buttons->addStretch();
    buttons->addWidget(SBGrabar);
    buttons->addWidget(SBCancelar);
    main->addLayout(buttons);

    // identification, name, history, date, number, exam 1 to 4, observation, exam 5 to 8
    QWidget* order[] = {DBEditNit,   DBEditNom,   DBEditIdhis, DBFecha, CBNromues,   CBExamen[0], CBExamen[1],
                        CBExamen[2], CBExamen[3], DBObs,       CBExamen[4], CBExamen[5], CBExamen[6], CBExamen[7]};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    keepEnter(CBNromues);
    onKey(Qt::Key_F2, [this] { SBGrabarClick(); });
    onKey(Qt::Key_Escape, [this] { SBCancelarClick(); });
    connect(SBGrabar, &QPushButton::clicked, this, [this] { SBGrabarClick(); });
    connect(SBCancelar, &QPushButton::clicked, this, [this] { SBCancelarClick(); });
    auto buscarPaciente = [this] {
        fdm->solo_consulta = false;
        pantallas::abrir(QStringLiteral("Ftercerostm"), this);
    };
    connect(SBPaciente, &QToolButton::clicked, this, buscarPaciente);
    connect(SBMuestras, &QToolButton::clicked, this, [this] { pantallas::abrir(QStringLiteral("Fbuscmuestra"), this); });
    connect(SBTipoexamen, &QToolButton::clicked, this, [this] { pantallas::abrir(QStringLiteral("Ftipoexamen"), this); });
    DBEditNit->installEventFilter(this);
    connect(CBNromues, &QComboBox::currentTextChanged, this, &Tftomamuest::CBNromuesChange);

    resize(508, 428);
    placeCentered(508, 428);
    ready();

    fdm->protect([this] { cargar_tipos(); });
    fdm->protect([this] {
        CTomamuest->setParam(QStringLiteral("ID"), Value(QStringLiteral("0")));
        CTomamuest->open();
    });
    binder_ = new FieldBinder(CTomamuest, this);
    if (CTomamuest->active()) {
        binder_->bind(DBEditNit, QStringLiteral("TOMA_NIT"));
        binder_->bind(DBEditNom, QStringLiteral("TOMA_NOM"));
        binder_->bind(DBEditIdhis, QStringLiteral("TOMA_IDHIS"));
        binder_->bind(DBFecha, QStringLiteral("TOMA_FECHA"));
        binder_->bind(CBNromues, QStringLiteral("TOMA_NROMUES"));
        for (int i = 0; i < 8; ++i)
            binder_->bind(CBExamen[i], QString::fromLatin1(kExamFields[i]));
        binder_->bind(DBObs, QStringLiteral("TOMA_OBS"));
        CTomamuest->onFieldChange = [this](ClientDataSet&, const Field& f) {
            if (f.name == QStringLiteral("TOMA_NIT") && !limpiando_)
                buscar_identificacion();
        };
        fdm->protect([this] { nuevo_registro(); });
    }
}

Tftomamuest::~Tftomamuest() = default;

bool Tftomamuest::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBEditNit && event->type() == QEvent::MouseButtonDblClick) {
        fdm->solo_consulta = false;
        pantallas::abrir(QStringLiteral("Ftercerostm"), this);
        return true;
    }
    return ScreenBase::eventFilter(watched, event);
}

void Tftomamuest::cargar_tipos() {
    CTipoexamen->close();
    CTipoexamen->setIndexFieldNames(QStringLiteral("TIEX_NOM"));
    CTipoexamen->open();
    CTipoexamen->fetchAll();
    for (QComboBox* c : CBExamen) {
        c->clear();
        for (int row = 0; row < CTipoexamen->recordCount(); ++row)
            c->addItem(CTipoexamen->valueAt(row, CTipoexamen->fieldIndex(QStringLiteral("TIEX_NOM"))).toString(),
                       CTipoexamen->valueAt(row, CTipoexamen->fieldIndex(QStringLiteral("TIEX_COD"))).toString());
        c->setCurrentIndex(-1);
    }
}

void Tftomamuest::nuevo_registro() {
    CTomamuest->append();
    CTomamuest->setValue(QStringLiteral("TOMA_ID"), Value(0));
    CTomamuest->setValue(QStringLiteral("TOMA_FECHA"), Value(QDate::currentDate()));
    CTomamuest->setValue(QStringLiteral("TOMA_NROMUES"), Value(1));
    for (int i = 1; i < 8; ++i) {
        LExamen[i]->hide();
        CBExamen[i]->hide();
        CTomamuest->setValue(QString::fromLatin1(kExamFields[i]), Value(0));
    }
    binder_->refresh();
}

void Tftomamuest::CBNromuesChange(const QString& text) {
    if (text.isEmpty())
        return;
    bool ok = false;
    const int n = text.toInt(&ok);
    for (int i = 1; i < 8; ++i) {
        LExamen[i]->hide();
        CBExamen[i]->hide();
    }
    if (!ok)
        return;
    for (int k = 2; k <= 8 && k <= n; ++k) {
        LExamen[k - 1]->show();
        CBExamen[k - 1]->show();
    }
}

void Tftomamuest::poner_identificacion(const QString& nit) {
    if (CTomamuest->state() == ClientDataSet::State::Browse)
        CTomamuest->edit();
    const bool igual = CTomamuest->text(QStringLiteral("TOMA_NIT")) == nit;
    CTomamuest->setValue(QStringLiteral("TOMA_NIT"), nit.isEmpty() ? Value() : Value(nit));
    if (igual) // writing the same identification looks it up again too
        buscar_identificacion();
}

void Tftomamuest::buscar_identificacion() {
    const QString nit = CTomamuest->text(QStringLiteral("TOMA_NIT"));
    const QString nombre = fdmter->nom_tercero(nit);
    CTomamuest->setValue(QStringLiteral("TOMA_NOM"), nombre.isEmpty() ? Value() : Value(nombre));
    if (!nombre.isEmpty()) {
        CBorrar->close();
        CBorrar->setCommandText(QStringLiteral("select hicl_id from registro where terc_nit = ") + sqltext::quoted(nit));
        CBorrar->open();
        const QString historia = CBorrar->isEmpty() ? QString() : CBorrar->value(0).toString();
        CBorrar->close();
        CTomamuest->setValue(QStringLiteral("TOMA_IDHIS"), historia.isEmpty() ? Value() : Value(historia));
        return;
    }
    if (UserDialogs::current().confirm(QStringLiteral("Identificación no encontrada. Crear paciente?"))) {
        fdmter->nit_pendiente = nit;
        pantallas::abrir(QStringLiteral("Fnvotercerotm"), this);
        return;
    }
    limpiando_ = true;
    CTomamuest->setValue(QStringLiteral("TOMA_NIT"), Value());
    limpiando_ = false;
    DBEditNit->setFocus();
    keepFocus();
}

void Tftomamuest::FormActivate() {
    if (!fdmter->nit_pendiente.isEmpty() && CTomamuest->active()) {
        const QString nit = fdmter->nit_pendiente;
        fdmter->nit_pendiente.clear();
        fdm->protect([&] { poner_identificacion(nit); });
    }
    DBEditNit->setFocus();
}

bool Tftomamuest::SBGrabarClick() {
    if (!CTomamuest->active())
        return false;
    binder_->flush();
    bool guardada = false;
    fdm->protect([&] {
        // a new number for every attempt; a refused one is not reused
        const qint64 id = Fdmips->cambie_id_tomamues();
        if (CTomamuest->state() == ClientDataSet::State::Browse)
            CTomamuest->edit(); // a record kept from a save that could not be sent
        CTomamuest->setValue(QStringLiteral("TOMA_ID"), Value(id));
        CTomamuest->post();
        if (CTomamuest->applyUpdates(0) > 0) {
            CTomamuest->edit();
            return;
        }
        Fdmips->id_muestra = QString::number(id);
        guardada = true;
    });
    if (!guardada)
        return false;
    pantallas::abrir(QStringLiteral("Fimprmuestra"), this);
    fdm->protect([this] {
        nuevo_registro();
        CBNromuesChange(CBNromues->currentText());
    });
    DBEditNit->setFocus();
    return true;
}

void Tftomamuest::SBCancelarClick() { closeScreen(); }

void Tftomamuest::FormClose() {
    // an unsaved record is dropped without a question
    CTomamuest->cancelUpdates();
}
