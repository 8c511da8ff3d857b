// A broken or missing shader file ends the game before the scene is built, with the
// driver's own log on the console. Each case runs in a folder of its own whose Shader
// folder the game prefers to the one beside the executable.
#include "e2e/E2eSupport.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>

using namespace TolvaE2e;

namespace {

class ShaderFailure : public ::testing::Test {
protected:
    void SetUp() override {
        if (!holdDisplayOpen()) {
            GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
        }
        makeOwnDataFolders(folder_.path());
    }

    std::string shaderFile(const std::string& name) const { return folder_ / ("Shader/" + name); }

    void removeShader(const std::string& name) const {
        ASSERT_TRUE(std::filesystem::remove(shaderFile(name))) << name;
    }

    ProcessResult run() const {
        ProcessOptions options;
        options.workingDirectory = folder_.path();
        options.timeoutSeconds = 120.0;
        const ProcessResult result = runWithServer({tolvaBinary(), "800", "600"}, options);
        EXPECT_FALSE(result.timedOut) << "the game did not end on the shader failure";
        EXPECT_EQ(result.signal, 0);
        EXPECT_EQ(result.out.find("PAUSE"), std::string::npos);
        EXPECT_EQ(result.err.find("not found"), std::string::npos) << result.err;
        return result;
    }

    TemporaryFolder folder_;
};

bool mentionsError(const std::string& log) {
    std::string lower = log;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("error") != std::string::npos;
}

// What follows the start-up lines (and a load message, if any) must be the driver's log
// and its line end, and then nothing: no other shader read, no object loaded.
void expectOnlyTheLog(const std::string& log) {
    EXPECT_GT(log.size(), 1u);
    EXPECT_TRUE(mentionsError(log)) << log;
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), '\n');
    EXPECT_EQ(log.find("ERROR: Load file"), std::string::npos) << log;
    EXPECT_EQ(log.find("Objekt "), std::string::npos) << log;
    EXPECT_EQ(log.find("SUCCESS"), std::string::npos) << log;
}

// Everything after the expected beginning, or the whole output if it begins otherwise.
std::string afterPrefix(const std::string& out, const std::string& prefix) {
    EXPECT_EQ(out.substr(0, prefix.size()), prefix);
    return out.rfind(prefix, 0) == 0 ? out.substr(prefix.size()) : out;
}

const char* const notShaderCode = "Das ist kein Shader. @@@ } {\n";

} // namespace

TEST_F(ShaderFailure, MissingFileIsNamedThenTheCompilerLogEndsTheGame) {
    removeShader("basic.vert");
    // Its partner must never be read: the empty vertex source already ends the game.
    removeShader("blur.frag");
    const ProcessResult result = run();
    const std::string log = afterPrefix(result.out, startUpLines(tolvaBinary()) +
                                                        "ERROR: Load file 'Shader\\basic.vert'.\n");
    expectOnlyTheLog(log);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err.find(".png"), std::string::npos) << "a texture was loaded";
}

TEST_F(ShaderFailure, CompileErrorPrintsTheLogAndNoLaterProgramIsBuilt) {
    // A fragment shader in the middle of the list; a later file is missing, and reading
    // it would show that the game went on.
    writeFile(shaderFile("normals_spot_transp.frag"), notShaderCode);
    removeShader("particel.vert");
    const ProcessResult result = run();
    expectOnlyTheLog(afterPrefix(result.out, startUpLines(tolvaBinary())));
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err.find(".png"), std::string::npos) << "a texture was loaded";
}

TEST_F(ShaderFailure, CompileErrorInTheGeometryStageEndsTheGameToo) {
    writeFile(shaderFile("geometry.geom"), std::string("#version 330 core\n") + notShaderCode);
    removeShader("basic.vert");
    const ProcessResult result = run();
    expectOnlyTheLog(afterPrefix(result.out, startUpLines(tolvaBinary())));
    EXPECT_EQ(result.exitStatus, 1);
}

TEST_F(ShaderFailure, LinkErrorPrintsTheProgramLogAndNoLaterProgramIsBuilt) {
    // Each file compiles alone, but the fragment stage reads the vertex stage's texCoord
    // with another type, which only the link can find.
    writeFile(shaderFile("vbo_vao.frag"), "#version 330 core\n"
                                          "in vec4 texCoord;\n"
                                          "uniform sampler2D color_Texture;\n"
                                          "out vec4 fragColor;\n"
                                          "void main()\n"
                                          "{\n"
                                          "    fragColor = texture(color_Texture, texCoord.xy);\n"
                                          "}\n");
    removeShader("basic.vert");
    const ProcessResult result = run();
    const std::string log = afterPrefix(result.out, startUpLines(tolvaBinary()));
    expectOnlyTheLog(log);
    EXPECT_NE(log.find("texCoord"), std::string::npos) << "not the link log: " << log;
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err.find(".png"), std::string::npos) << "a texture was loaded";
}

TEST(ShaderFolderMissing, NeitherHereNorBesideTheGameReportsTheFirstFile) {
    if (!holdDisplayOpen()) {
        GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
    }
    TemporaryFolder folder;
    namespace fs = std::filesystem;
    fs::create_directories(folder / "bin");
    fs::create_directories(folder / "work");
    const std::string copy = folder / "bin/tolva";
    fs::copy_file(tolvaBinary(), copy);
    fs::permissions(copy, fs::perms::owner_all);

    ProcessOptions options;
    options.workingDirectory = folder / "work";
    options.timeoutSeconds = 120.0;
    const ProcessResult result = runWithServer({copy, "800", "600"}, options);
    EXPECT_FALSE(result.timedOut);
    const std::string log =
        afterPrefix(result.out, startUpLines(copy) + "ERROR: Load file 'Shader\\vbo_vao.vert'.\n");
    expectOnlyTheLog(log);
    EXPECT_EQ(result.exitStatus, 1);
}
