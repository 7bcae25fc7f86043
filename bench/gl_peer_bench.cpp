// The depth-buffer path's peer: Mesa's software OpenGL (llvmpipe) drawing the benchmark scene's
// front-facing triangles in their shaded colours with a depth test, into an off-screen pbuffer
// of an EGL display without a window system (surfaceless). Each iteration clears colour and
// depth, draws, and waits for the picture (glFinish).

#include "bench/bench_scene.h"
#include "editor/batch/batch_player.h"
#include "editor/view/frame_step.h"

#include <benchmark/benchmark.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace fcw {
namespace {

struct GlContext {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;

    bool open(int width, int height) {
        auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (getPlatformDisplay == nullptr) {
            return false;
        }
        display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr) ||
            !eglBindAPI(EGL_OPENGL_API)) {
            return false;
        }
        const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                           EGL_PBUFFER_BIT,
                                           EGL_RENDERABLE_TYPE,
                                           EGL_OPENGL_BIT,
                                           EGL_RED_SIZE,
                                           8,
                                           EGL_GREEN_SIZE,
                                           8,
                                           EGL_BLUE_SIZE,
                                           8,
                                           EGL_DEPTH_SIZE,
                                           24,
                                           EGL_NONE};
        EGLConfig config;
        EGLint count = 0;
        if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count < 1) {
            return false;
        }
        const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
        surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
        context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
        return surface != EGL_NO_SURFACE && context != EGL_NO_CONTEXT &&
               eglMakeCurrent(display, surface, surface, context);
    }
    ~GlContext() {
        if (display != EGL_NO_DISPLAY) {
            eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
            eglTerminate(display);
        }
    }
};

void llvmpipeBench(benchmark::State& state, int scale) {
    const int width = 1920 * scale;
    const int height = 1080 * scale;
    GlContext gl;
    if (!gl.open(width, height)) {
        state.SkipWithError("no EGL surfaceless display with a pbuffer");
        return;
    }
    state.SetLabel(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    player.runLine("size " + std::to_string(width) + " " + std::to_string(height));
    Editor& e = player.editor();
    buildScene(e);
    e.pane().camera.zoom = scale;
    e.session.view.frameMode = FrameMode::Filled;
    const SceneFrame f = stepFrame(e); // the shaded colours
    std::vector<float> vertices;
    std::vector<unsigned char> colours;
    for (int t = 0; t <= e.document.store.lastIndex; ++t) {
        const Triangle& tri = f.triangles[static_cast<std::size_t>(t)];
        if (!(tri.normal.x > 0.0001)) {
            continue;
        }
        for (const Point3& v : tri.v) {
            vertices.push_back(static_cast<float>(f.camera.projectX(v.y)));
            vertices.push_back(static_cast<float>(f.camera.projectY(v.z)));
            vertices.push_back(static_cast<float>(v.x * f.camera.zoom)); // larger is nearer
            const Colour c = tri.shadedColour;
            colours.insert(colours.end(), {static_cast<unsigned char>(c & 0xFF),
                                           static_cast<unsigned char>((c >> 8) & 0xFF),
                                           static_cast<unsigned char>((c >> 16) & 0xFF)});
        }
    }
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -100000, 100000); // window pixels, y down; near is +x
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_GREATER);
    glClearDepth(0.0);
    glClearColor(1, 1, 1, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glColorPointer(3, GL_UNSIGNED_BYTE, 0, colours.data());
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size() / 3));
        glFinish();
    }
}

void BM_LlvmpipeDepthTested3000(benchmark::State& state) {
    llvmpipeBench(state, 1);
}
BENCHMARK(BM_LlvmpipeDepthTested3000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LlvmpipeDepthTested3000_4K(benchmark::State& state) {
    llvmpipeBench(state, 2);
}
BENCHMARK(BM_LlvmpipeDepthTested3000_4K)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace fcw

int main(int argc, char** argv) {
    ::setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    ::setenv("GALLIUM_DRIVER", "llvmpipe", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
