#pragma once
#include <QMainWindow>

// The main window: the only modeless window of the program.
class FrmFascola : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmFascola(QWidget* parent = nullptr);
};
