// A window-layout document applied to a small window offscreen.
#include "widgets/picturesurface.h"
#include "widgets/windowlayout.h"
#include "support/xmlfile.h"

#include "fuzzapp.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <cstdint>

namespace {

QWidget *makeWindow()
{
    auto *window = new QWidget;
    window->setObjectName(QStringLiteral("frmEditer"));
    window->resize(400, 300);
    auto named = [window](QObject *o, const char *name) {
        o->setObjectName(QString::fromLatin1(name));
        return o;
    };
    named(new QLabel(window), "lblProjectName");
    named(new QLineEdit(window), "txtProjectName");
    named(new QPushButton(window), "cmdPlay");
    named(new QSlider(window), "sldFrame");
    named(new QCheckBox(window), "chkFrameFocus");
    named(new mrv::PictureSurface(window), "picBG");
    named(new QTimer(window), "timPlay");
    for (int i = 0; i < 3; ++i)
        mrv::SetControlIndex(*named(new QLabel(window), "lblFrame"), i);
    return window;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool env = qputenv("QT_QPA_PLATFORM", "offscreen");
    FuzzApplication<QApplication>();
    (void)env;
    pugi::xml_document doc;
    if (!mrv::LoadXmlText(doc, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))).ok())
        return 0;
    QWidget *window = makeWindow();
    mrv::RestoreLayout(doc, *window);
    (void)mrv::SaveWindowSize(doc, *window);
    delete window;
    return 0;
}
