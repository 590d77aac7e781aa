#pragma once

// Registers the patient search ("Ftercerostm"), the cities ("Fciudades") and
// the countries ("Fpaises") with the screen registry. Each opens as an MDI
// child owned by the screen that asks for it. The patient search takes its
// mode from fdm->solo_consulta as it stands: the main window sets it before
// asking, every other opener clears it.
void registrar_busqueda_pacientes();
