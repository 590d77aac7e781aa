#include "app/avisos.h"

#include "app/principal.h"

// Placeholder until the alert windows land.
Avisos::Avisos(TFprincipal* principal) : QObject(principal), principal_(principal) {}
Avisos::~Avisos() = default;
void Avisos::verificar_mensajes() {}
void Avisos::verificar_citas() {}
void Avisos::verificar_compromisos() {}
