#include "setup/Form2.h"

#include "app/Form1.h"
#include "app/Module1.h"
#include "app/SharedProcedures.h"
#include "platform/Platform.h"

Form2::Form2(Module1& module, Platform& platform, Form1& main)
    : QDialog(&main), m_(module), p_(platform), main_(main) {
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setFixedSize(6840 / 15, 6930 / 15);
    Form_Load();
}

Form2::~Form2() = default;

void Form2::Form_Load() {
    CentrerFeuille(*this, *p_.environment);
    setWindowTitle(QStringLiteral("Paramétrage de l'impression ") +
                   (m_.parameterFile.fileLoaded ? m_.parameterFile.loadedTitle
                                                : QString::fromLatin1(BuiltInLayoutName)));
}
