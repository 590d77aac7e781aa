#pragma once

// Registers the screens of the laboratory samples by name: "Ftomamuest"
// (sample taking), "Ftipoexamen" (exam types) and "Fbuscmuestra" (sample
// search). Each opens as a child window of the main window.
void registrar_pantallas_muestras();
