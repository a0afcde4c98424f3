#pragma once

class QApplication;

// Qt's own French texts, so that standard buttons read Oui, Non, Annuler.
void installFrenchTranslations(QApplication& app);
