#include "patients/fichatercerotm.h"

#include "common/SqlText.h"
#include "common/UserDialogs.h"
#include "data/ClientDataSet.h"
#include "data/Provider.h"
#include "data/dm.h"
#include "patients/dmter.h"
#include "ui/FieldBinder.h"
#include "ui/Pantallas.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kJuridica = QStringLiteral("J");
// The anniversary editor shows this date as blank: no anniversary.
const QDate kSinFecha(1900, 1, 1);

QLabel* etiqueta(const QString& texto) {
    auto* l = new QLabel(texto);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QToolButton* botonPequeno(const QString& ayuda) {
    auto* b = new QToolButton;
    b->setText(QStringLiteral("..."));
    b->setToolTip(ayuda);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(22, 22);
    return b;
}
} // namespace

Tffichatercerotm::Tffichatercerotm(ScreenBase* owner, const QString& name, const QString& caption,
                                   const QString& grabar, const QString& cancelar)
    : ScreenBase(owner) {
    setObjectName(name);
    setWindowTitle(caption);

    auto* pTerceros = new Provider(QStringLiteral("PTerceros"), fdmter->TTercero, this);
    CTerceros = new ClientDataSet(QStringLiteral("CTerceros"), this);
    CTerceros->setProvider(pTerceros);
    auto* pCiudades = new Provider(QStringLiteral("PCiudades"), fdmter->TCiudades, this);
    CCiudades = new ClientDataSet(QStringLiteral("CCiudades"), this);
    CCiudades->setProvider(pCiudades);
    auto* pPaises = new Provider(QStringLiteral("PPaises"), fdmter->TPaises, this);
    CPaises = new ClientDataSet(QStringLiteral("CPaises"), this);
    CPaises->setProvider(pPaises);
    auto* pTipoid = new Provider(QStringLiteral("Ptipoid"), fdmter->Ttipoid, this);
    Ctipoid = new ClientDataSet(QStringLiteral("Ctipoid"), this);
    Ctipoid->setProvider(pTipoid);
    auto* pBorrar = new Provider(QStringLiteral("PBorrar"), fdm->QBorrar, this);
    CBorrar = new ClientDataSet(QStringLiteral("CBorrar"), this);
    CBorrar->setProvider(pBorrar);

    auto linea = [](const char* objeto) {
        auto* e = new QLineEdit;
        e->setObjectName(QString::fromLatin1(objeto));
        return e;
    };
    auto selector = [](const char* objeto) {
        auto* c = new QComboBox;
        c->setObjectName(QString::fromLatin1(objeto));
        c->setMaxVisibleItems(20);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(10);
        return c;
    };

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(6, 4, 6, 6);
    main->setSpacing(3);

    // --- identification
    GBIdentificacion = new QGroupBox(QStringLiteral("Identificación "));
    auto* gi = new QGridLayout(GBIdentificacion);
    gi->setContentsMargins(6, 2, 6, 4);
    gi->setHorizontalSpacing(4);
    gi->setVerticalSpacing(2);
    DBEditNit = linea("DBEditNit");
    DBEditDv = linea("DBEditDv");
    DBEditDv->setFixedWidth(28);
    DBEditDv->setAlignment(Qt::AlignCenter);
    DBLookupTipoid = selector("DBLookupTipoid");
    DBEditApellido1 = linea("DBEditApellido1");
    DBEditApellido2 = linea("DBEditApellido2");
    DBEditNombre1 = linea("DBEditNombre1");
    DBEditNombre2 = linea("DBEditNombre2");
    DBEditNom = linea("DBEditNom");
    auto* filaDv = new QHBoxLayout;
    filaDv->setSpacing(4);
    filaDv->addWidget(DBEditDv);
    filaDv->addStretch();
    gi->addWidget(etiqueta(QStringLiteral("CC/Historia:")), 0, 0);
    gi->addWidget(DBEditNit, 0, 1);
    gi->addWidget(etiqueta(QStringLiteral("DV:")), 0, 2);
    gi->addLayout(filaDv, 0, 3);
    gi->addWidget(etiqueta(QStringLiteral("Tipo ID:")), 1, 0);
    gi->addWidget(DBLookupTipoid, 1, 1, 1, 3);
    gi->addWidget(etiqueta(QStringLiteral("1er apellido:")), 2, 0);
    gi->addWidget(DBEditApellido1, 2, 1);
    gi->addWidget(etiqueta(QStringLiteral("2do apellido:")), 2, 2);
    gi->addWidget(DBEditApellido2, 2, 3);
    gi->addWidget(etiqueta(QStringLiteral("1er nombre:")), 3, 0);
    gi->addWidget(DBEditNombre1, 3, 1);
    gi->addWidget(etiqueta(QStringLiteral("2do nombre:")), 3, 2);
    gi->addWidget(DBEditNombre2, 3, 3);
    gi->addWidget(etiqueta(QStringLiteral("Razón social:")), 4, 0);
    gi->addWidget(DBEditNom, 4, 1, 1, 3);
    gi->setColumnStretch(1, 1);
    gi->setColumnStretch(3, 1);
    main->addWidget(GBIdentificacion);

    // --- location
    GBUbicacion = new QGroupBox(QStringLiteral("Ubicación "));
    auto* gu = new QGridLayout(GBUbicacion);
    gu->setContentsMargins(6, 2, 6, 4);
    gu->setHorizontalSpacing(4);
    gu->setVerticalSpacing(2);
    DBEditDir = linea("DBEditDir");
    DBLookupCiudad = selector("DBLookupCiudad");
    SBCiudades = botonPequeno(QStringLiteral("Ciudades"));
    DBEditTel = linea("DBEditTel");
    DBEditFax = linea("DBEditFax");
    DBEditCel = linea("DBEditCel");
    DBEditEmail = linea("DBEditEmail");
    DBEditContacto = linea("DBEditContacto");
    DBFechaAniv = new QDateEdit;
    DBFechaAniv->setObjectName(QStringLiteral("DBFechaAniv"));
    DBFechaAniv->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    DBFechaAniv->setCalendarPopup(true);
    DBFechaAniv->setMinimumDate(kSinFecha);
    DBFechaAniv->setSpecialValueText(QStringLiteral(" "));
    DBFechaAniv->setDate(kSinFecha);
    DBLookupPais = selector("DBLookupPais");
    SBPaises = botonPequeno(QStringLiteral("Países"));
    auto* filaCiudad = new QHBoxLayout;
    filaCiudad->setSpacing(2);
    filaCiudad->addWidget(DBLookupCiudad, 1);
    filaCiudad->addWidget(SBCiudades);
    auto* filaPais = new QHBoxLayout;
    filaPais->setSpacing(2);
    filaPais->addWidget(DBLookupPais, 1);
    filaPais->addWidget(SBPaises);
    gu->addWidget(etiqueta(QStringLiteral("Dirección:")), 0, 0);
    gu->addWidget(DBEditDir, 0, 1, 1, 3);
    gu->addWidget(etiqueta(QStringLiteral("Ciudad:")), 1, 0);
    gu->addLayout(filaCiudad, 1, 1);
    gu->addWidget(etiqueta(QStringLiteral("Teléfonos:")), 2, 0);
    gu->addWidget(DBEditTel, 2, 1);
    gu->addWidget(etiqueta(QStringLiteral("Fax:")), 2, 2);
    gu->addWidget(DBEditFax, 2, 3);
    gu->addWidget(etiqueta(QStringLiteral("Celular:")), 3, 0);
    gu->addWidget(DBEditCel, 3, 1);
    gu->addWidget(etiqueta(QStringLiteral("e-mail:")), 3, 2);
    gu->addWidget(DBEditEmail, 3, 3);
    gu->addWidget(etiqueta(QStringLiteral("Contacto:")), 4, 0);
    gu->addWidget(DBEditContacto, 4, 1);
    gu->addWidget(etiqueta(QStringLiteral("Aniversario:")), 4, 2);
    gu->addWidget(DBFechaAniv, 4, 3);
    gu->addLayout(filaPais, 1, 2, 1, 2); // no label: beside the city
    gu->setColumnStretch(1, 1);
    gu->setColumnStretch(3, 1);
    main->addWidget(GBUbicacion);

    // --- observations
    GBObservaciones = new QGroupBox(QStringLiteral("Observaciones "));
    auto* go = new QVBoxLayout(GBObservaciones);
    go->setContentsMargins(6, 2, 6, 4);
    DBMemoObs = new QPlainTextEdit;
    DBMemoObs->setObjectName(QStringLiteral("DBMemoObs"));
    DBMemoObs->setTabChangesFocus(true);
    DBMemoObs->setMinimumHeight(40);
    go->addWidget(DBMemoObs);
    main->addWidget(GBObservaciones, 1);

    // --- buttons
    botones_ = new QHBoxLayout;
    SBGrabar = new QPushButton(grabar);
    SBGrabar->setObjectName(QStringLiteral("SBGrabar"));
    SBCancelar = new QPushButton(cancelar);
    SBCancelar->setObjectName(QStringLiteral("SBCancelar"));
    for (QPushButton* b : {SBGrabar, SBCancelar}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(100);
    }
    botones_->addStretch();
    botones_->addWidget(SBGrabar);
    botones_->addWidget(SBCancelar);
    main->addLayout(botones_);

    QWidget* orden[] = {DBEditNit,      DBEditDv,     DBLookupTipoid, DBEditApellido1, DBEditApellido2,
                        DBEditNombre1,  DBEditNombre2, DBEditNom,     DBEditDir,       DBLookupCiudad,
                        DBEditTel,      DBEditFax,    DBEditCel,      DBEditEmail,     DBEditContacto,
                        DBFechaAniv,    DBLookupPais, DBMemoObs};
    for (size_t i = 0; i + 1 < std::size(orden); ++i)
        setTabOrder(orden[i], orden[i + 1]);

    // F2 acts only while its button does (the modify screen may disable it).
    onKey(Qt::Key_F2, [this] {
        if (SBGrabar->isEnabled())
            SBGrabarClick();
    });
    onKey(Qt::Key_Escape, [this] { SBCancelarClick(); });
    connect(SBGrabar, &QPushButton::clicked, this, [this] { SBGrabarClick(); });
    connect(SBCancelar, &QPushButton::clicked, this, [this] { SBCancelarClick(); });
    connect(SBCiudades, &QToolButton::clicked, this, [this] {
        fdm->protect([this] { pantallas::abrir(QStringLiteral("Fciudades"), this); });
    });
    connect(SBPaises, &QToolButton::clicked, this, [this] {
        fdm->protect([this] { pantallas::abrir(QStringLiteral("Fpaises"), this); });
    });
    connect(DBFechaAniv, &QDateEdit::editingFinished, this, &Tffichatercerotm::guardar_fecha);
    connect(DBFechaAniv, &QDateEdit::dateChanged, this, [this] {
        if (!mostrandoFecha_)
            fechaTocada_ = true;
    });
    // a day picked in the calendar counts even when it is the one shown
    connect(DBFechaAniv->calendarWidget(), &QCalendarWidget::clicked, this, [this] { fechaTocada_ = true; });
}

Tffichatercerotm::~Tffichatercerotm() = default;

QString Tffichatercerotm::componer_nombre(const QString& apellido1, const QString& apellido2, const QString& nombre1,
                                          const QString& nombre2) {
    return apellido1 + QLatin1Char(' ') + apellido2 + QLatin1Char(' ') + nombre1 + QLatin1Char(' ') + nombre2;
}

QString Tffichatercerotm::configuracion(const QString& propiedad) {
    return fdm->configuracion(QStringLiteral("CONTABILIDAD"), QStringLiteral("TERCEROS"), propiedad);
}

void Tffichatercerotm::proteger_dv() {
    const bool soloLectura =
        configuracion(QStringLiteral("PERMITIR MODIFICAR DIGITO DE VERIFICACION DEL NIT")) == QStringLiteral("NO");
    DBEditDv->setReadOnly(soloLectura);
    // a read-only check digit is not a stop on the way from the identification
    DBEditDv->setFocusPolicy(soloLectura ? Qt::NoFocus : Qt::StrongFocus);
}

void Tffichatercerotm::abrir_selectores() {
    CPaises->close();
    CPaises->open();
    CPaises->fetchAll();
    DBLookupPais->clear();
    const int pid = CPaises->fieldIndex(QStringLiteral("PAIS_ID"));
    const int pnom = CPaises->fieldIndex(QStringLiteral("PAIS_NOM"));
    for (int row = 0; row < CPaises->recordCount(); ++row)
        DBLookupPais->addItem(CPaises->valueAt(row, pnom).toString(), CPaises->valueAt(row, pid).toString());
    DBLookupPais->setCurrentIndex(-1);

    cargar_ciudades();

    Ctipoid->close();
    Ctipoid->setIndexFieldNames(QStringLiteral("TIID_NOM"));
    Ctipoid->open();
    Ctipoid->fetchAll();
    DBLookupTipoid->clear();
    const int tcod = Ctipoid->fieldIndex(QStringLiteral("TIID_COD"));
    const int tnom = Ctipoid->fieldIndex(QStringLiteral("TIID_NOM"));
    for (int row = 0; row < Ctipoid->recordCount(); ++row)
        DBLookupTipoid->addItem(Ctipoid->valueAt(row, tnom).toString(), Ctipoid->valueAt(row, tcod).toString());
    DBLookupTipoid->setCurrentIndex(-1);
}

void Tffichatercerotm::cargar_ciudades() {
    CCiudades->close();
    CCiudades->clearFilter();
    CCiudades->open();
    CCiudades->fetchAll();
    const int cod = CCiudades->fieldIndex(QStringLiteral("CIUD_COD"));
    const int nom = CCiudades->fieldIndex(QStringLiteral("CIUD_NOM"));
    const int activa = CCiudades->fieldIndex(QStringLiteral("CIUD_ACTIVA"));
    // every city keeps its name for the record's copy, even one no longer offered
    nombresCiudad_.clear();
    for (int row = 0; row < CCiudades->recordCount(); ++row)
        nombresCiudad_.insert(CCiudades->valueAt(row, cod).toString(), CCiudades->valueAt(row, nom).toString());
    CCiudades->setFilter([activa](const ClientDataSet& ds, int rowId) {
        return ds.rowValue(rowId, activa).toString() == QStringLiteral("S");
    });
    DBLookupCiudad->clear();
    for (int row = 0; row < CCiudades->recordCount(); ++row)
        DBLookupCiudad->addItem(CCiudades->valueAt(row, nom).toString(), CCiudades->valueAt(row, cod).toString());
    DBLookupCiudad->setCurrentIndex(-1);
    if (binder_)
        binder_->refresh();
}

void Tffichatercerotm::enlazar() {
    if (!CTerceros->active() || binder_)
        return;
    binder_ = new FieldBinder(CTerceros, this);
    binder_->bind(DBEditNit, QStringLiteral("TERC_NIT"));
    binder_->bind(DBEditDv, QStringLiteral("TERC_DV"));
    binder_->bind(DBLookupTipoid, QStringLiteral("TERC_TIPOID"));
    binder_->bind(DBEditApellido1, QStringLiteral("TERC_APELLIDO1"));
    binder_->bind(DBEditApellido2, QStringLiteral("TERC_APELLIDO2"));
    binder_->bind(DBEditNombre1, QStringLiteral("TERC_NOMBRE1"));
    binder_->bind(DBEditNombre2, QStringLiteral("TERC_NOMBRE2"));
    binder_->bind(DBEditNom, QStringLiteral("TERC_NOM"));
    binder_->bind(DBEditDir, QStringLiteral("TERC_DIR"));
    binder_->bind(DBLookupCiudad, QStringLiteral("CIUD_COD"));
    binder_->bind(DBEditTel, QStringLiteral("TERC_TEL"));
    binder_->bind(DBEditFax, QStringLiteral("TERC_FAX"));
    binder_->bind(DBEditCel, QStringLiteral("TERC_CEL"));
    binder_->bind(DBEditEmail, QStringLiteral("TERC_EMAIL"));
    binder_->bind(DBEditContacto, QStringLiteral("TERC_CONTACTO"));
    binder_->bind(DBLookupPais, QStringLiteral("PAIS_ID"));
    binder_->bind(DBMemoObs, QStringLiteral("TERC_OBS"));
    for (auto signal : {&ClientDataSet::stateChanged, &ClientDataSet::layoutChanged})
        connect(CTerceros, signal, this, &Tffichatercerotm::mostrar_fecha);
    connect(CTerceros, &ClientDataSet::rowChanged, this, &Tffichatercerotm::mostrar_fecha);
    connect(CTerceros, &ClientDataSet::currentChanged, this, &Tffichatercerotm::mostrar_fecha);
    mostrar_fecha();
    CTerceros->onFieldChange = [this](ClientDataSet&, const Field& f) { campo_cambiado(f); };
}

void Tffichatercerotm::mostrar() {
    if (binder_)
        binder_->refresh();
    mostrar_fecha();
}

void Tffichatercerotm::tomar_edicion() {
    if (binder_)
        binder_->flush();
    if (DBFechaAniv->hasFocus())
        guardar_fecha();
}

// The anniversary may be empty, which a date editor cannot show by itself:
// an empty one shows blank, and while the user is in it, today's date to
// type over. Only a date the user changed is written; select all and
// Delete empties it again.
void Tffichatercerotm::mostrar_fecha() {
    if (mostrandoFecha_)
        return;
    mostrandoFecha_ = true;
    const QDate d = CTerceros->active() ? CTerceros->value(QStringLiteral("TERC_ANIV")).toDate() : QDate();
    if (d.isValid() && d > kSinFecha)
        DBFechaAniv->setDate(d);
    else if (!DBFechaAniv->hasFocus())
        DBFechaAniv->setDate(kSinFecha);
    else if (!fechaTocada_)
        DBFechaAniv->setDate(QDate::currentDate());
    mostrandoFecha_ = false;
}

void Tffichatercerotm::guardar_fecha() {
    if (mostrandoFecha_ || !fechaTocada_ || !CTerceros->active())
        return;
    fechaTocada_ = false;
    const QDate d = DBFechaAniv->date();
    const Value nuevo = d == kSinFecha ? Value() : Value(d);
    const Value actual = CTerceros->value(QStringLiteral("TERC_ANIV"));
    if (actual.isNull() ? nuevo.isNull() : (!nuevo.isNull() && actual.toDate() == d))
        return;
    fdm->protect([&] {
        editar();
        CTerceros->setValue(QStringLiteral("TERC_ANIV"), nuevo);
    });
}

void Tffichatercerotm::borrar_fecha() {
    fechaTocada_ = false;
    if (CTerceros->active() && !CTerceros->isNull(QStringLiteral("TERC_ANIV")))
        fdm->protect([this] {
            editar();
            CTerceros->setValue(QStringLiteral("TERC_ANIV"), Value());
        });
    mostrar_fecha();
}

bool Tffichatercerotm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBFechaAniv) {
        switch (event->type()) {
        case QEvent::FocusIn:
            fechaTocada_ = false;
            mostrar_fecha();
            break;
        case QEvent::FocusOut:
            guardar_fecha();
            fechaTocada_ = false;
            mostrar_fecha();
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            auto* texto = DBFechaAniv->findChild<QLineEdit*>();
            if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && texto && !texto->text().isEmpty() &&
                texto->selectedText() == texto->text()) {
                borrar_fecha();
                return true;
            }
            break;
        }
        default: break;
        }
    }
    return ScreenBase::eventFilter(watched, event);
}

bool Tffichatercerotm::editando() const {
    return CTerceros->state() == ClientDataSet::State::Edit || CTerceros->state() == ClientDataSet::State::Insert;
}

void Tffichatercerotm::editar() {
    if (CTerceros->active() && !editando() && !CTerceros->isEmpty())
        CTerceros->edit();
}

void Tffichatercerotm::campo_cambiado(const Field& field) {
    if (field.name == QStringLiteral("TERC_TIPOID"))
        regla_tipo(true);
    else if (field.name == QStringLiteral("CIUD_COD"))
        regla_ciudad();
}

void Tffichatercerotm::regla_tipo(bool moverFoco) {
    const bool juridica = CTerceros->text(QStringLiteral("TERC_TIPOID")) == kJuridica;
    if (juridica)
        for (const char* parte : {"TERC_NOMBRE1", "TERC_NOMBRE2", "TERC_APELLIDO1", "TERC_APELLIDO2"})
            CTerceros->setValue(QString::fromLatin1(parte), Value());
    for (QLineEdit* e : {DBEditApellido1, DBEditApellido2, DBEditNombre1, DBEditNombre2})
        e->setEnabled(!juridica);
    if (moverFoco) {
        (juridica ? DBEditNom : DBEditApellido1)->setFocus();
        keepFocus();
    }
}

void Tffichatercerotm::regla_ciudad() {
    const QString codigo = CTerceros->text(QStringLiteral("CIUD_COD"));
    // The picker's rows stand on the chosen city; a city that is not offered
    // (inactive) still gives its own name, never the name of another row.
    QString nombre;
    if (!codigo.isEmpty() && CCiudades->active() &&
        CCiudades->locate({QStringLiteral("CIUD_COD")}, {Value(codigo)}))
        nombre = CCiudades->text(QStringLiteral("CIUD_NOM"));
    else
        nombre = nombresCiudad_.value(codigo);
    CTerceros->setValue(QStringLiteral("TERC_CIU"), nombre.isEmpty() ? Value() : Value(nombre));
}

bool Tffichatercerotm::componer_y_validar(bool exigirNit) {
    const QString tipo = CTerceros->text(QStringLiteral("TERC_TIPOID"));
    // Without a type the save stops below; the name typed is left as it is.
    if (!tipo.isEmpty() && tipo != kJuridica) {
        const QString nombre = componer_nombre(DBEditApellido1->text(), DBEditApellido2->text(),
                                               DBEditNombre1->text(), DBEditNombre2->text());
        const int i = CTerceros->fieldIndex(QStringLiteral("TERC_NOM"));
        const int ancho = i >= 0 ? CTerceros->field(i).size : 0;
        if (ancho > 0 && nombre.size() > ancho) {
            UserDialogs::current().information(
                QStringLiteral("El nombre compuesto por los apellidos y nombres pasa de %1 caracteres. "
                               "Acorte alguna de las partes.")
                    .arg(ancho));
            return false;
        }
        CTerceros->setValue(QStringLiteral("TERC_NOM"), Value(nombre));
        DBEditNom->setText(nombre);
    }
    if (exigirNit && DBEditNit->text().trimmed().isEmpty()) {
        UserDialogs::current().information(QStringLiteral("Falta ingresar el NIT o identificación del tercero."));
        DBEditNit->setFocus();
        return false;
    }
    if (tipo.isEmpty()) {
        UserDialogs::current().information(QStringLiteral("Falta ingresar el tipo de documento."));
        DBLookupTipoid->setFocus();
        return false;
    }
    if (DBEditNom->text().isEmpty()) {
        UserDialogs::current().information(QStringLiteral("Falta ingresar el nombre del tercero."));
        DBEditNom->setFocus();
        return false;
    }
    return true;
}

bool Tffichatercerotm::enviar() {
    CTerceros->post();
    return CTerceros->applyUpdates(0) == 0;
}

void Tffichatercerotm::crear_roles() {
    const QString nit = CTerceros->text(QStringLiteral("TERC_NIT"));
    auto existe = [&](const QString& tabla) {
        CBorrar->close();
        CBorrar->setCommandText(QStringLiteral("select * from ") + tabla + QStringLiteral(" where TERC_NIT = ") +
                                sqltext::quoted(nit));
        CBorrar->open();
        const bool hay = !CBorrar->isEmpty();
        CBorrar->close();
        return hay;
    };
    auto ejecutar = [&](const QString& sql) {
        CBorrar->close();
        CBorrar->setCommandText(sql);
        CBorrar->execute();
    };
    // A row already there (a save repeated after a failure here) is not inserted twice.
    if (CTerceros->text(QStringLiteral("TERC_CLIE")) == QStringLiteral("S") && !existe(QStringLiteral("clientes")))
        ejecutar(QStringLiteral("insert into clientes (TERC_NIT, CLIE_COD, CLIE_ESTADO) VALUES (") +
                 sqltext::quoted(nit) + QLatin1Char(',') + sqltext::quoted(nit) + QStringLiteral(", 'A')"));
    if (CTerceros->text(QStringLiteral("TERC_PROV")) == QStringLiteral("S") && !existe(QStringLiteral("proveedores"))) {
        const QString grupo = configuracion(QStringLiteral("CODIGO DE GRUPO PROVEEDORES"));
        ejecutar(QStringLiteral("insert into proveedores (TERC_NIT, GRPR_COD, PROV_SIMPLIFICADO) VALUES (") +
                 sqltext::quoted(nit) + QLatin1Char(',') + sqltext::quoted(grupo) + QStringLiteral(", 'N')"));
    }
}

void Tffichatercerotm::SBCancelarClick() { closeScreen(); }
