#pragma once
// What a user does on a form, for the forms' tests and their fixtures (which derive from it):
// a click, entering a field as the tab key does, typing over what a box holds, a click on a
// grid row.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <algorithm>

#include "platform/ui/Grid.h"

struct UserInput {
    // A check box or an option button answers only on its box and its text: the click falls
    // there, however wide the layout has made the control.
    static void clic(QWidget* w) {
        if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(std::min(w->width(), w->sizeHint().width()) / 2, w->height() / 2));
            return;
        }
        QTest::mouseClick(w, Qt::LeftButton);
    }
    static void entra(QWidget* w) { w->setFocus(Qt::TabFocusReason); }
    // `testo` typed into the box after what it held is selected and deleted.
    static void scrivi(QLineEdit* box, const QString& testo) {
        entra(box);
        box->selectAll();
        box->del();
        premiTasti(box, testo);
    }
    static void scrivi(QComboBox* combo, const QString& testo) {
        entra(combo);
        combo->lineEdit()->selectAll();
        combo->lineEdit()->del();
        premiTasti(combo->lineEdit(), testo);
    }
    // Key by key, as a keyboard types it; a character without a key of its own on the test's
    // keyboard ("€") comes as the text of a key press, as an input method gives it.
    static void premiTasti(QWidget* w, const QString& testo) {
        for (const QChar c : testo) {
            if (c.unicode() < 128) QTest::keyClick(w, char(c.unicode()));
            else QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    // A mouse click on row `r` of a grid (from 1, under the heading), scrolled into view first.
    static void clicRiga(ui::Grid& g, int r, Qt::MouseButton tasto = Qt::LeftButton) {
        const QModelIndex cella = g.model()->index(r - 1, 0);
        g.scrollTo(cella);
        QTest::mouseClick(g.viewport(), tasto, {}, g.visualRect(cella).center());
    }
};
