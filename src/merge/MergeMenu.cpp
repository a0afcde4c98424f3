#include "merge/MergeMenu.h"

#include "app/Form1.h"
#include "merge/MergeWindow.h"

#include <QAction>
#include <QMenu>

void addMergeMenu(Form1& w, QMenu* file) {
    QAction* merge = file->addAction(QStringLiteral("P&ublipostage..."));
    merge->setObjectName(QStringLiteral("Mnu_Publipostage"));
    QObject::connect(merge, &QAction::triggered, &w, [&w] {
        MergeWindow window(w.module(), w.platform(), &w);
        window.exec();
    });
}
