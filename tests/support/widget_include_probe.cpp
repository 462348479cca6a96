// Built only by the test "logic_has_no_widgets", which expects this file not to compile.
#include <QWidget>

int main() {
    return 0;
}
