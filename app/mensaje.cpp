#include "app/mensaje.h"

#include "app/principal.h"
#include "common/SqlText.h"
#include "data/dm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

Tfmensaje::Tfmensaje(ScreenBase* owner)
    : ScreenBase(owner), PUsermensaje(QStringLiteral("PUsermensaje"), fdm->QUsermensaje, this),
      CUsermensaje(QStringLiteral("CUsermensaje"), this), PMensajes(QStringLiteral("PMensajes"), fdm->TMensajes, this),
      CMensajes(QStringLiteral("CMensajes"), this) {
    setObjectName(QStringLiteral("fmensaje"));
    setWindowTitle(QStringLiteral("Mensaje instantáneo"));
    CUsermensaje.setProvider(&PUsermensaje);
    CMensajes.setProvider(&PMensajes);

    auto* raiz = new QHBoxLayout(this);
    raiz->setContentsMargins(8, 8, 8, 8);
    auto* campos = new QGridLayout;
    campos->setVerticalSpacing(4);
    auto* lPara = new QLabel(QStringLiteral("Para:"));
    DBLPara = new QComboBox;
    DBLPara->setObjectName(QStringLiteral("DBLPara"));
    DBLPara->setEditable(false);
    lPara->setBuddy(DBLPara);
    auto* lMensaje = new QLabel(QStringLiteral("Mensaje:"));
    DBMMensaje = new QPlainTextEdit;
    DBMMensaje->setObjectName(QStringLiteral("DBMMensaje"));
    DBMMensaje->setTabChangesFocus(true);
    DBMMensaje->setMinimumHeight(50);
    lMensaje->setBuddy(DBMMensaje);
    auto* lPrioridad = new QLabel(QStringLiteral("Prioridad:"));
    DBCPrioridad = new QComboBox;
    DBCPrioridad->setObjectName(QStringLiteral("DBCPrioridad"));
    DBCPrioridad->addItem(QStringLiteral("Normal"), 3);
    DBCPrioridad->addItem(QStringLiteral("Media"), 2);
    DBCPrioridad->addItem(QStringLiteral("Alta"), 1);
    lPrioridad->setBuddy(DBCPrioridad);
    campos->addWidget(lPara, 0, 0);
    campos->addWidget(DBLPara, 0, 1);
    campos->addWidget(lMensaje, 1, 0, Qt::AlignTop);
    campos->addWidget(DBMMensaje, 1, 1);
    campos->addWidget(lPrioridad, 2, 0);
    campos->addWidget(DBCPrioridad, 2, 1, Qt::AlignLeft);
    campos->setRowStretch(1, 1);
    campos->setColumnStretch(1, 1);
    raiz->addLayout(campos, 1);

    auto* botones = new QVBoxLayout;
    SBEnviar = new QPushButton(QStringLiteral("F2:Enviar"));
    SBEnviar->setObjectName(QStringLiteral("SBEnviar"));
    SBCancelar = new QPushButton(QStringLiteral("Esc:Cancela"));
    SBCancelar->setObjectName(QStringLiteral("SBCancelar"));
    for (QPushButton* b : {SBEnviar, SBCancelar}) {
        b->setMinimumSize(90, 30);
        b->setFocusPolicy(Qt::TabFocus);
        botones->addWidget(b);
    }
    botones->addStretch();
    raiz->addLayout(botones);

    connect(SBEnviar, &QPushButton::clicked, this, &Tfmensaje::SBEnviarClick);
    connect(SBCancelar, &QPushButton::clicked, this, &Tfmensaje::SBCancelarClick);
    connect(DBMMensaje, &QPlainTextEdit::textChanged, this, &Tfmensaje::limita_texto);
    onKey(Qt::Key_F2, [this] { SBEnviarClick(); });
    onKey(Qt::Key_Escape, [this] { SBCancelarClick(); });

    placeCentered(kAncho, kAlto);
    ready();
}

Tfmensaje::~Tfmensaje() = default;

void Tfmensaje::created() {
    // Every user of the working company, the sender included.
    CUsermensaje.setCommandText(
        QStringLiteral("SELECT C.USUA_COD, USUA_NOMBRE FROM USUARIO U, COMPANIA_USUARIO C WHERE U.USUA_COD = "
                       "C.USUA_COD AND C.COMP_COD = ") +
        sqltext::quoted(Fprincipal ? Fprincipal->cod_compania : QString()));
    CUsermensaje.open();
    CUsermensaje.fetchAll();
    const int cod = CUsermensaje.fieldIndex(QStringLiteral("USUA_COD"));
    const int nombre = CUsermensaje.fieldIndex(QStringLiteral("USUA_NOMBRE"));
    for (int i = 0; i < CUsermensaje.recordCount(); ++i)
        DBLPara->addItem(CUsermensaje.valueAt(i, nombre).toString(), CUsermensaje.valueAt(i, cod).toString());
    DBLPara->setCurrentIndex(-1);

    // A message without addressee would reach nobody, one without text says
    // nothing: both are refused before anything is sent.
    CMensajes.defineField(QStringLiteral("MENS_DESTINO")).required = true;
    CMensajes.defineField(QStringLiteral("MENS_MENSAJE")).required = true;
    CMensajes.afterInsert = [this](ClientDataSet& ds) { CMensajesAfterInsert(ds); };
    CMensajes.fetchParams();
    CMensajes.setParam(QStringLiteral("ID"), Value(QStringLiteral("0")));
    CMensajes.open();
    const int texto = CMensajes.fieldIndex(QStringLiteral("MENS_MENSAJE"));
    if (texto >= 0 && CMensajes.field(texto).size > 0)
        largo_mensaje_ = CMensajes.field(texto).size;
    CMensajes.append();

    // An answer: addressed to the author, linked to the message answered. The
    // context is used once, so a later message is not taken for an answer.
    if (!fdm->autor_respuesta.isEmpty())
        CMensajes.setValue(QStringLiteral("MENS_DESTINO"), Value(fdm->autor_respuesta));
    if (!fdm->id_respuesta.isEmpty())
        CMensajes.setValue(QStringLiteral("MENS_RESPUESTA"), Value(fdm->id_respuesta));
    fdm->autor_respuesta.clear();
    fdm->id_respuesta.clear();
    muestra_registro();
    if (DBLPara->currentIndex() >= 0)
        DBMMensaje->setFocus();
    else
        DBLPara->setFocus();
}

void Tfmensaje::CMensajesAfterInsert(ClientDataSet& ds) {
    ds.setValue(QStringLiteral("MENS_ID"), Value(0));
    ds.setValue(QStringLiteral("MENS_LEIDO"), Value(QStringLiteral("N")));
    ds.setValue(QStringLiteral("MENS_RESPUESTA"), Value(0));
    ds.setValue(QStringLiteral("MENS_NIVEL"), Value(3));
}

void Tfmensaje::muestra_registro() {
    const QString destino = CMensajes.text(QStringLiteral("MENS_DESTINO"));
    int i = destino.isEmpty() ? -1 : DBLPara->findData(destino);
    if (i < 0 && !destino.isEmpty()) {
        // an author who is no longer among the company's users keeps his code
        DBLPara->addItem(destino, destino);
        i = DBLPara->count() - 1;
    }
    DBLPara->setCurrentIndex(i);
    const int nivel = DBCPrioridad->findData(int(CMensajes.value(QStringLiteral("MENS_NIVEL")).toInt()));
    DBCPrioridad->setCurrentIndex(nivel >= 0 ? nivel : 0);
    const QSignalBlocker quiet(DBMMensaje);
    DBMMensaje->setPlainText(CMensajes.text(QStringLiteral("MENS_MENSAJE")));
}

void Tfmensaje::guarda_registro() {
    if (CMensajes.state() == ClientDataSet::State::Browse)
        CMensajes.edit(); // a message refused before: it is corrected and sent again
    const QString destino = DBLPara->currentIndex() >= 0 ? DBLPara->currentData().toString() : QString();
    CMensajes.setValue(QStringLiteral("MENS_DESTINO"), destino.isEmpty() ? Value() : Value(destino));
    const QString texto = DBMMensaje->toPlainText();
    CMensajes.setValue(QStringLiteral("MENS_MENSAJE"), texto.trimmed().isEmpty() ? Value() : Value(texto));
    CMensajes.setValue(QStringLiteral("MENS_NIVEL"), Value(DBCPrioridad->currentData().toInt()));
}

void Tfmensaje::limita_texto() {
    const QString texto = DBMMensaje->toPlainText();
    if (texto.size() <= largo_mensaje_)
        return;
    const QSignalBlocker quiet(DBMMensaje);
    DBMMensaje->setPlainText(texto.left(largo_mensaje_));
    DBMMensaje->moveCursor(QTextCursor::End);
}

void Tfmensaje::SBEnviarClick() {
    fdm->protect([this] {
        if (!CMensajes.active())
            return;
        guarda_registro();
        CMensajes.post(); // a missing addressee or text is reported and stays in edit
        // A refusal is reported by the error handling; the message stays in
        // the window to be corrected or cancelled.
        if (CMensajes.applyUpdates(0) > 0)
            return;
        closeScreen();
    });
}

void Tfmensaje::SBCancelarClick() {
    fdm->protect([this] {
        if (CMensajes.active())
            CMensajes.cancelUpdates();
    });
    closeScreen();
}

void Tfmensaje::FormClose() {
    ScreenBase::FormClose();
    if (CMensajes.active())
        CMensajes.cancelUpdates();
}
