#pragma once

#include "ui/ScreenBase.h"

// The company list "Compañías de trabajo": the companies the user may work
// in; picks the working company and, for an administrator, creates, edits
// and deletes companies.
class Tfcompanias : public ScreenBase {
    Q_OBJECT
public:
    explicit Tfcompanias(QWidget* parent = nullptr);
    ~Tfcompanias() override;
};
