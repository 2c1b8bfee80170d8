// The GTK tests' entry point: GTK on the display that the test runner made.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (!gtk_init_check(&argc, &argv)) {
        fprintf(stderr, "no display to test the GTK front end on\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
