#include "app/conscompania.h"

#include "app/fichacompania.h"
#include "app/principal.h"
#include "common/SqlText.h"
#include "data/dm.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kAncho = 560;
constexpr int kAlto = 340;
} // namespace

Tfconscompania::Tfconscompania(ScreenBase* owner)
    : ScreenBase(owner, false), PCompania(QStringLiteral("PCompania"), fdm->TCompania, this),
      CCompania(QStringLiteral("CCompania"), this) {
    setObjectName(QStringLiteral("fconscompania"));
    setWindowTitle(QStringLiteral("Consulta de compañías"));

    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(16, 16, 16, 12);
    Ficha = new Tfichacompania;
    raiz->addWidget(Ficha);
    raiz->addStretch();
    auto* botones = new QHBoxLayout;
    SBSucursales = new QPushButton(QStringLiteral("F4: &Sucursales"));
    SBSucursales->setObjectName(QStringLiteral("SBSucursales"));
    // The branches of a company are kept elsewhere; the button has no action.
    SBSucursales->setEnabled(false);
    botones->addWidget(SBSucursales);
    botones->addStretch();
    SBGrabar = new QPushButton(QStringLiteral("F2: &Grabar"));
    SBGrabar->setObjectName(QStringLiteral("SBGrabar"));
    SBSalir = new QPushButton(QStringLiteral("ESC: &Salir"));
    SBSalir->setObjectName(QStringLiteral("SBSalir"));
    for (QPushButton* b : {SBSucursales, SBGrabar, SBSalir}) {
        b->setMinimumSize(110, 30);
        b->setFocusPolicy(Qt::TabFocus);
    }
    botones->addWidget(SBGrabar);
    botones->addWidget(SBSalir);
    raiz->addLayout(botones);

    connect(SBGrabar, &QPushButton::clicked, this, &Tfconscompania::SBGrabarClick);
    connect(SBSalir, &QPushButton::clicked, this, &Tfconscompania::SBSalirClick);
    onKey(Qt::Key_F2, [this] { SBGrabarClick(); });
    onKey(Qt::Key_Escape, [this] { SBSalirClick(); });

    PCompania.onUpdateError = [](Provider& p, ClientDataSet& ds, const std::exception& e) {
        return fdm->ManejarError(&p, &ds, e);
    };
    CCompania.setProvider(&PCompania);
    const QString codigo = Fprincipal ? Fprincipal->cod_compania : QString();
    CCompania.setCommandText(QStringLiteral("select * from compania where comp_cod = ") + sqltext::quoted(codigo));
    Ficha->enlaza(&CCompania);
    fdm->protect([this] {
        CCompania.open();
        if (!CCompania.isEmpty())
            CCompania.edit();
    });

    setFixedSize(kAncho, kAlto);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect a = s->availableGeometry();
        move(a.x() + (a.width() - kAncho) / 2, a.y() + (a.height() - kAlto) / 2);
    }
    Ficha->ENombre->setFocus();
    ready();
}

Tfconscompania::~Tfconscompania() = default;

void Tfconscompania::SBGrabarClick() {
    fdm->protect([this] {
        Ficha->guarda();
        if (!CCompania.active())
            return;
        // A refusal is reported by ManejarError and the changes stay here.
        if (CCompania.applyUpdates(0) > 0)
            return;
        grabado_ = true;
        closeScreen();
    });
}

void Tfconscompania::SBSalirClick() {
    fdm->protect([this] {
        if (CCompania.active()) {
            CCompania.cancel();
            CCompania.cancelUpdates();
        }
    });
    closeScreen();
}
