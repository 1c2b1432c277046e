# Precompiled headers: the Qt and standard headers nearly every file includes
# are read once per build instead of once per file, which is most of what a
# compile of this project costs. One header set for the libraries (precompiled
# in tarnwick_platform) and one for the tests (in tarnwick_testsupport); every
# other library or test reuses its set, so each is built once. Nothing in the
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
# library or test header set; the first target of each kind precompiles it.
function(tarnwick_precompile target kind)
    if(NOT TARNWICK_PCH)
        return()
    endif()
    if(kind STREQUAL "LIBRARY")
        set(owner tarnwick_platform)
        set(headers ${TARNWICK_PCH_HEADERS})
    else()
        set(owner tarnwick_testsupport)
        set(headers ${TARNWICK_TEST_PCH_HEADERS})
    endif()
    if(target STREQUAL owner)
        target_precompile_headers(${target} PRIVATE ${headers})
    else()
        target_precompile_headers(${target} REUSE_FROM ${owner})
    endif()
endfunction()
