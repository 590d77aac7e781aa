#pragma once

// Registers the patient entry screens under their names: "Fnvotercerotm"
// (new patient) and "Fmodtercerotm" (modify patient).
void registrar_ficha_pacientes();
