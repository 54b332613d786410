// The main of test programs that need a graphical application: offscreen,
// with the software renderer, so they run without a display.

#include "Platform/System/LocalizedStrings.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#if defined(__SANITIZE_ADDRESS__)
// Qt Quick's software renderer keeps the textures of the images it drew in
// a process-wide cache that is never emptied at exit; LeakSanitizer would
// report them after every GUI test program. Only allocations made inside
// that image and texture machinery are excused: a leaked item of ours is
// still reported, by its own allocation. Qt is built without frame
// pointers, so only the slow unwinder sees far enough up to tell.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:QQuickPixmap::load\n"
           "leak:QQuickTextureFactory::textureFactoryForImage\n"
           "leak:QSGRenderContext::textureForFactory\n"
           "leak:QQuickImage::updatePaintNode\n";
}
#endif

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication application(argc, argv);
    LocalizedStrings::install();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
