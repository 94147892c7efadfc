// main() for tests that need a Qt application object: it must outlive every test and be destroyed
// before the process's static objects, so it lives on main's stack.
#include <QApplication>

#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
