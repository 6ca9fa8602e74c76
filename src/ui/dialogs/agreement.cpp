#include "ui/dialogs/agreement.h"

#include <QLabel>
#include <QPushButton>

#include "ui/widgets/twips.h"

namespace orbelquint {

Form1::Form1() : QDialog(nullptr, Qt::Tool) {
    setWindowTitle("Gebruikersovereenkomst");
    // Laid out in twips, grown with the desktop's font.
    const TwipScale scale = TwipScaleFor(font());
    setFixedSize(Pixels(4680, scale.across), Pixels(1170, scale.down));

    Label1 = new QLabel(
        "De auteur van dit programma kan niet verantwoordelijk gesteld worden voor eventuele fouten in de "
        "uitvoer ervan.",
        this);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(TwipsRect(120, 120, 4455, 495, scale));

    btnOK = new QPushButton("OK", this);
    btnOK->setGeometry(TwipsRect(3360, 720, 1215, 375, scale));
    btnOK->setDefault(true);
    btnOK->setFocus();
    connect(btnOK, &QPushButton::clicked, this, &Form1::btnOK_Click);
}

void Form1::btnOK_Click() {
    accept();
}

}  // namespace orbelquint
