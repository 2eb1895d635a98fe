// One Quendal work form in its own process, for tests of what happens when
// several processes simplify in one folder: types the equation given, clicks
// Simplify with the given minimizer and prints the four expression texts, then
// every message it showed, one per line.
// Usage: simplify_probe MINIMIZER EQUATION

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <memory>
#include <vector>

#include "common/clock.h"
#include "common/minimizer_launcher.h"
#include "common/session.h"
#include "drawing/document_host.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/scripted_prompts.h"
#include "workspace/frmSimplification.h"

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::workspace;

namespace {

class Host : public DocumentHost {
public:
    Canvas& LoadNewDoc(DocumentKind) override {
        canvases.push_back(std::make_unique<RecordingCanvas>());
        return *canvases.back();
    }
    std::vector<std::unique_ptr<RecordingCanvas>> canvases;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    Session::current().UserName = "PROBE";
    ScriptedPrompts prompts;
    SystemClock clock;
    ProcessMinimizerLauncher launcher(ProcessMinimizerLauncher::kDefaultTimeoutMs,
                                      QString::fromLocal8Bit(argv[1]));
    Host host;
    frmSimplification form(host, prompts, clock, launcher);
    form.show();
    QTest::keyClicks(form.findChild<QLineEdit*>("txtEquation"), QString::fromLatin1(argv[2]));
    QTest::mouseClick(form.findChild<QPushButton*>("cmdSimplify"), Qt::LeftButton);
    for (const char* box :
         {"txtEquation", "txtIpPosEquation", "txtMinEquation", "txtPosEquation"}) {
        std::printf("%s\n", form.findChild<QLineEdit*>(box)->text().toUtf8().constData());
    }
    for (const Prompt& p : prompts.shown) {
        std::printf("%s\n", QString(p.text).replace(u'\n', u' ').toUtf8().constData());
    }
    return 0;
}
