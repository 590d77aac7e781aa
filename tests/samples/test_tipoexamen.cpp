// The exam types screen against a real company database, driven through its
// grid and keys: a new type saved with F2, a duplicate code refused while the
// rest is stored, a row without code, and edits dropped by Esc or by closing.
#include "samples/tipoexamen.h"
#include "samples/tomamuest.h"
#include "tests/samples/muestras_fixture.h"
#include "ui/DataGrid.h"

#include <QComboBox>
#include <QTest>
#include <QToolButton>

namespace {
class ExamTypes : public MuestrasTest {
protected:
    Tftipoexamen* open() {
        screen = new Tftipoexamen;
        screen->show();
        settle();
        return screen;
    }
    DataGrid* grid() const { return screen->DBGrid; }
    void goTo(int row, int column) {
        grid()->setFocus();
        grid()->setCurrentIndex(grid()->model()->index(row, column));
    }
    // Types into the current cell as a user does: the first key opens the
    // cell's editor, the rest go to it.
    QWidget* typeInCell(const QString& text) {
        QTest::keyClicks(grid(), text.left(1));
        QWidget* editor = grid()->focusWidget();
        EXPECT_NE(editor, grid()) << "no editor opened";
        if (editor && editor != grid())
            QTest::keyClicks(editor, text.mid(1));
        return editor;
    }
    void enterInCell(const QString& text) {
        if (QWidget* editor = typeInCell(text))
            QTest::keyClick(editor, Qt::Key_Return);
    }
    void newRow(const QString& code, const QString& name) {
        QTest::mouseClick(screen->NavInsertar, Qt::LeftButton);
        enterInCell(code);
        enterInCell(name);
    }
    int rowNamed(const QString& name) const {
        ClientDataSet* ds = screen->CTipoexamen;
        for (int r = 0; r < ds->recordCount(); ++r)
            if (ds->valueAt(r, ds->fieldIndex(QStringLiteral("TIEX_NOM"))).toString() == name)
                return r;
        return -1;
    }
    QStringList table() { return rows(QStringLiteral("select tiex_cod, tiex_nom from tipo_examen order by tiex_cod")); }
    QString errors() const { return dialogs.errors.join(QLatin1Char('|')); }

    QPointer<Tftipoexamen> screen;
};
} // namespace

TEST_F(ExamTypes, NewTypeSavedWithF2ClosesTheScreen) {
    auto* desk = new Tftomamuest; // already open: keeps the list it loaded
    const int offered = desk->CBExamen[0]->count();
    open();
    QTest::mouseClick(screen->NavInsertar, Qt::LeftButton);
    enterInCell(QStringLiteral("50"));
    EXPECT_EQ(grid()->currentIndex().column(), 1); // Enter went on to the next cell
    enterInCell(QStringLiteral("PRUEBA NUEVA"));
    QTest::keyClick(grid(), Qt::Key_F2, Qt::ControlModifier); // not with Ctrl
    EXPECT_FALSE(screen.isNull());
    QTest::keyClick(grid(), Qt::Key_F2);
    settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(table().contains(QStringLiteral("50|PRUEBA NUEVA")));
    EXPECT_EQ(desk->CBExamen[0]->count(), offered);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << errors().toStdString();
    desk->closeScreen();
}

TEST_F(ExamTypes, DuplicateCodeIsReportedAndStaysPendingWhileTheRestIsStored) {
    const QStringList before = table();
    open();
    newRow(QStringLiteral("60"), QStringLiteral("UNO"));
    newRow(QStringLiteral("60"), QStringLiteral("DOS"));
    // a change to an existing row goes in the same batch
    goTo(rowNamed(QStringLiteral("COPROLOGICO")), 1);
    enterInCell(QStringLiteral("COPROLOGICO SERIADO"));

    QTest::keyClick(grid(), Qt::Key_F2);
    settle();
    ASSERT_FALSE(screen.isNull());
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Ya existe el registro en la tabla Tipoexamen")});
    EXPECT_EQ(screen->CTipoexamen->changeCount(), 1);
    QStringList stored = table();
    EXPECT_EQ(stored.size(), before.size() + 1);
    EXPECT_TRUE(stored.contains(QStringLiteral("60|UNO")));
    EXPECT_TRUE(stored.contains(QStringLiteral("9|COPROLOGICO SERIADO")));

    // the refused row is still there to be corrected
    const int pending = rowNamed(QStringLiteral("DOS"));
    ASSERT_GE(pending, 0);
    goTo(pending, 0);
    enterInCell(QStringLiteral("61"));
    QTest::keyClick(grid(), Qt::Key_F2);
    settle();
    EXPECT_TRUE(screen.isNull());
    stored = table();
    EXPECT_TRUE(stored.contains(QStringLiteral("61|DOS")));
    EXPECT_EQ(stored.size(), before.size() + 2);
    EXPECT_EQ(dialogs.errors.size(), 1) << errors().toStdString();
}

TEST_F(ExamTypes, RowWithoutCodeIsNotStoredAndKeepsWhatWasTyped) {
    const QStringList before = table();
    open();
    QTest::mouseClick(screen->NavInsertar, Qt::LeftButton);
    goTo(screen->CTipoexamen->recNo(), 1);
    typeInCell(QStringLiteral("SIN CODIGO")); // still in the cell's editor
    QTest::keyClick(grid()->focusWidget(), Qt::Key_F2);
    settle();
    ASSERT_FALSE(screen.isNull());
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Los campos Código del tipo de exámen,  son obligatorios.")});
    EXPECT_EQ(table(), before);
    EXPECT_EQ(screen->CTipoexamen->state(), ClientDataSet::State::Insert);
    EXPECT_EQ(screen->CTipoexamen->text(QStringLiteral("TIEX_NOM")), QStringLiteral("SIN CODIGO"));

    goTo(screen->CTipoexamen->recNo(), 0);
    enterInCell(QStringLiteral("70"));
    QTest::keyClick(grid(), Qt::Key_F2);
    settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(table().contains(QStringLiteral("70|SIN CODIGO")));
}

// Several edits, one of them still being typed, then the screen is left
// without saving: by Esc, or by closing the window.
TEST_F(ExamTypes, LeavingWithoutF2LeavesTheTableAsItWas) {
    const QStringList before = table();
    const std::function<void(Tftipoexamen*)> closers[] = {
        [](Tftipoexamen* s) { QTest::keyClick(s->DBGrid->focusWidget(), Qt::Key_Escape); },
        [](Tftipoexamen* s) { s->close(); },
    };
    for (const auto& leave : closers) {
        open();
        goTo(rowNamed(QStringLiteral("HEMOGRAMA COMPLETO")), 1);
        enterInCell(QStringLiteral("CAMBIADO"));
        goTo(rowNamed(QStringLiteral("CREATININA")), 0);
        QTest::mouseClick(screen->NavBorrar, Qt::LeftButton);
        newRow(QStringLiteral("99"), QStringLiteral("NUEVO"));
        QTest::mouseClick(screen->NavInsertar, Qt::LeftButton);
        typeInCell(QStringLiteral("98"));
        EXPECT_GE(screen->CTipoexamen->changeCount(), 3);
        leave(screen);
        settle();
        EXPECT_TRUE(screen.isNull());
        EXPECT_EQ(table(), before);
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << errors().toStdString();
}
