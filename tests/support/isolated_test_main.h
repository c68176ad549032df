#pragma once

#include <QByteArray>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace quorvane::test {

// Points HOME at a fresh temporary folder for the whole test process, before
// anything reads it, so that neither the remembered folder nor the fallback
// folder ever touches the real user's files.
class IsolatedHome
{
public:
    IsolatedHome()
    {
        if (!m_home.isValid())
            qFatal("cannot make a temporary home folder");
#ifdef Q_OS_WIN
        // There the remembered folder lives in the registry, for which no
        // temporary folder can stand in: the suites run only in the Wine
        // prefix that the build's wine-run makes for them.
        if (qEnvironmentVariableIsEmpty("QUORVANE_WINE_PREFIX"))
            qFatal("run the suites through the build's wine-run, which gives them a registry of their own");
#endif
        qputenv("HOME", m_home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        QStandardPaths::setTestModeEnabled(true);
    }

    QString path() const { return m_home.path(); }

private:
    QTemporaryDir m_home;
};

} // namespace quorvane::test

// Like QTEST_GUILESS_MAIN / QTEST_MAIN, with the user's folders isolated.
#define QUORVANE_TEST_MAIN(TestObject, Application)                                                \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        const quorvane::test::IsolatedHome home;                                                   \
        Application app(argc, argv);                                                               \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
