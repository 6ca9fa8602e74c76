#include "ui/dialogs/agreement.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "ui/widgets/twips.h"

namespace orbelquint {

Form1::Form1() : QDialog(nullptr, Qt::Tool) {
    setWindowTitle("Gebruikersovereenkomst");
    // Laid out in twips, grown with the desktop's font; where a font wraps the text into more
    // lines than the design has room for, the label, and the button and window below it, move down.
    const TwipScale scale = TwipScaleFor(font());

    Label1 = new QLabel(
        "De auteur van dit programma kan niet verantwoordelijk gesteld worden voor eventuele fouten in de "
        "uitvoer ervan.",
        this);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QRect label = TwipsRect(120, 120, 4455, 495, scale);
    const int needed = Label1->heightForWidth(label.width());
    const int extra = std::max(0, needed - label.height());
    label.setHeight(label.height() + extra);
    Label1->setGeometry(label);

    btnOK = new QPushButton("OK", this);
    btnOK->setGeometry(TwipsRect(3360, 720, 1215, 375, scale).translated(0, extra));
    setFixedSize(Pixels(4680, scale.across), Pixels(1170, scale.down) + extra);
    btnOK->setDefault(true);
    btnOK->setFocus();
    connect(btnOK, &QPushButton::clicked, this, &Form1::btnOK_Click);
}

void Form1::btnOK_Click() {
    accept();
}

}  // namespace orbelquint
