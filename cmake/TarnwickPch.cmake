# Precompiled headers: the Qt and standard headers nearly every file includes
# are read once per build instead of once per file, which is most of what a
# compile of this project costs. One header set for the libraries (precompiled
# in tarnwick_platform) and one for the tests of each folder; every other
# library or test reuses its set, so each is built once. Nothing in the
# sources relies on it: -DTARNWICK_PCH=OFF builds the same program.
option(TARNWICK_PCH "Precompile the Qt headers most files include" ON)

set(TARNWICK_PCH_HEADERS
    <algorithm> <functional> <memory> <optional> <utility>
    <QAction> <QApplication> <QByteArray> <QCheckBox> <QComboBox> <QDialog>
    <QDialogButtonBox> <QDir> <QFile> <QFileInfo> <QFormLayout> <QHBoxLayout>
    <QLabel> <QLineEdit> <QList> <QListWidget> <QMenu> <QObject> <QPointer>
    <QPushButton> <QSettings> <QSpinBox> <QString> <QStringList> <QTimer>
    <QToolButton> <QUrl> <QVBoxLayout> <QWidget>)
set(TARNWICK_TEST_PCH_HEADERS ${TARNWICK_PCH_HEADERS} <QSignalSpy> <QTemporaryDir> <QTest>)

# tarnwick_precompile(<target> LIBRARY|TEST): the target compiles with the
# library or test header set. The libraries share one precompiled set. The
# tests share one a folder: the test library defines the test's own folder
# (QT_TESTCASE_BUILDDIR), and a precompiled header is only used with the
# definitions it was made with.
function(tarnwick_precompile target kind)
    if(NOT TARNWICK_PCH)
        return()
    endif()
    if(kind STREQUAL "LIBRARY")
        # A shared library would define its own <name>_EXPORTS, and the shared
        # precompiled header is only used with the definitions it was made
        # with; nothing here exports by macro.
        set_target_properties(${target} PROPERTIES DEFINE_SYMBOL "")
        if(target STREQUAL "tarnwick_platform")
            target_precompile_headers(${target} PRIVATE ${TARNWICK_PCH_HEADERS})
        else()
            target_precompile_headers(${target} REUSE_FROM tarnwick_platform)
        endif()
        return()
    endif()
    get_directory_property(owner TARNWICK_TEST_PCH_OWNER)
    if(owner)
        target_precompile_headers(${target} REUSE_FROM ${owner})
    else()
        target_precompile_headers(${target} PRIVATE ${TARNWICK_TEST_PCH_HEADERS})
        set_directory_properties(PROPERTIES TARNWICK_TEST_PCH_OWNER ${target})
    endif()
endfunction()
