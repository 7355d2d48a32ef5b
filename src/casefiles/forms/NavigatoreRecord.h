#pragma once
#include <QString>
#include <QWidget>

class QLabel;
class QToolButton;

// A record navigator: first, previous, next and last buttons around a caption that tells
// the position. It moves nothing itself: each press is reported with its action number
// (1 first, 2 previous, 3 next, 4 last) and the owner moves and sets the caption.
class NavigatoreRecord : public QWidget {
    Q_OBJECT
public:
    explicit NavigatoreRecord(QWidget* parent = nullptr);

    QString caption() const;
    void setCaption(const QString& caption);

    QToolButton* Primo;
    QToolButton* Precedente;
    QToolButton* Successivo;
    QToolButton* Ultimo;

signals:
    void Validate(int Action);

private:
    QLabel* didascalia_;
};
