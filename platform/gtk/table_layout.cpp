// A GtkFixed that is exactly the window's client size and gives each child exactly its table
// rectangle. GtkFixed alone would give a child the theme's minimum size where that is larger
// and grow the window to hold it.
#include "platform/gtk/table_layout.h"

namespace {

struct SkirmishTable {
    GtkFixed parent;
    int width;
    int height;
};

struct SkirmishTableClass {
    GtkFixedClass parent_class;
};

G_DEFINE_TYPE(SkirmishTable, skirmish_table, GTK_TYPE_FIXED)

GQuark rect_quark()
{
    static const GQuark quark = g_quark_from_static_string("skirmish-table-rect");
    return quark;
}

void preferred_width(GtkWidget* widget, int* minimum, int* natural)
{
    *minimum = *natural = reinterpret_cast<SkirmishTable*>(widget)->width;
}

void preferred_height(GtkWidget* widget, int* minimum, int* natural)
{
    *minimum = *natural = reinterpret_cast<SkirmishTable*>(widget)->height;
}

void place_child(GtkWidget* child, gpointer data)
{
    const auto* origin = static_cast<const GtkAllocation*>(data);
    const auto* rect =
        static_cast<const GdkRectangle*>(g_object_get_qdata(G_OBJECT(child), rect_quark()));
    if (rect == nullptr || !gtk_widget_get_visible(child)) return;
    // GTK wants every widget measured before it is placed, even where the measure goes unused.
    GtkRequisition unused;
    gtk_widget_get_preferred_size(child, &unused, nullptr);
    GtkAllocation at{origin->x + rect->x, origin->y + rect->y, rect->width, rect->height};
    gtk_widget_size_allocate(child, &at);
}

void size_allocate(GtkWidget* widget, GtkAllocation* allocation)
{
    gtk_widget_set_allocation(widget, allocation);
    if (gtk_widget_get_has_window(widget) && gtk_widget_get_realized(widget)) {
        gdk_window_move_resize(gtk_widget_get_window(widget), allocation->x, allocation->y,
                               allocation->width, allocation->height);
    }
    // A container without a window of its own places its children in its parent's window.
    GtkAllocation origin{0, 0, 0, 0};
    if (!gtk_widget_get_has_window(widget)) origin = *allocation;
    gtk_container_forall(GTK_CONTAINER(widget), place_child, &origin);
}

void skirmish_table_class_init(SkirmishTableClass* type)
{
    GtkWidgetClass* widget = GTK_WIDGET_CLASS(type);
    widget->get_preferred_width = preferred_width;
    widget->get_preferred_height = preferred_height;
    widget->size_allocate = size_allocate;
}

void skirmish_table_init(SkirmishTable*)
{
}

} // namespace

namespace platform {

GtkWidget* table_layout_new(int width, int height)
{
    auto* table = static_cast<SkirmishTable*>(g_object_new(skirmish_table_get_type(), nullptr));
    table->width = width;
    table->height = height;
    return GTK_WIDGET(table);
}

void table_layout_put(GtkWidget* layout, GtkWidget* child, const GdkRectangle& rect)
{
    g_object_set_qdata_full(G_OBJECT(child), rect_quark(), g_memdup2(&rect, sizeof rect), g_free);
    gtk_fixed_put(GTK_FIXED(layout), child, rect.x, rect.y);
}

} // namespace platform
