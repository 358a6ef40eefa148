/* A stand-in for a desktop launcher on Wayland, for the window suites: it opens a small window
 * of its own, waits until the compositor has made it the active one (as a launcher is when the
 * user clicks in it), and asks for an activation token for that window through xdg_activation_v1.
 * It prints the token on a line of its own and keeps the window open until its standard input
 * closes, so that the compositor still sees the token's owner as the active window while the
 * program that received the token uses it. Its window's title is its first argument.
 * Exit status: 0 after printing a token, 1 when the compositor lacks something it needs. */
#define _GNU_SOURCE
#include "xdg-activation-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

enum { kWidth = 120, kHeight = 80 };

struct launcher
{
    struct wl_compositor* compositor;
    struct wl_shm* shm;
    struct xdg_wm_base* base;
    struct xdg_activation_v1* activation;
    struct wl_surface* surface;
    struct wl_buffer* buffer;
    int active;
    int configured;
    char* token;
};

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version)
{
    (void)version;
    struct launcher* l = data;
    if (strcmp(interface, wl_compositor_interface.name) == 0)
        l->compositor = wl_registry_bind(registry, name, &wl_compositor_interface, 1);
    else if (strcmp(interface, wl_shm_interface.name) == 0)
        l->shm = wl_registry_bind(registry, name, &wl_shm_interface, 1);
    else if (strcmp(interface, xdg_wm_base_interface.name) == 0)
        l->base = wl_registry_bind(registry, name, &xdg_wm_base_interface, 1);
    else if (strcmp(interface, xdg_activation_v1_interface.name) == 0)
        l->activation = wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static void ping(void* data, struct xdg_wm_base* base, uint32_t serial)
{
    (void)data;
    xdg_wm_base_pong(base, serial);
}

static const struct xdg_wm_base_listener base_listener = {ping};

static void surface_configure(void* data, struct xdg_surface* surface, uint32_t serial)
{
    struct launcher* l = data;
    xdg_surface_ack_configure(surface, serial);
    if (!l->configured) {
        wl_surface_attach(l->surface, l->buffer, 0, 0);
        l->configured = 1;
    }
    wl_surface_commit(l->surface);
}

static const struct xdg_surface_listener surface_listener = {surface_configure};

static void toplevel_configure(void* data, struct xdg_toplevel* toplevel, int32_t width,
                               int32_t height, struct wl_array* states)
{
    (void)toplevel, (void)width, (void)height;
    struct launcher* l = data;
    l->active = 0;
    const uint32_t* state;
    wl_array_for_each(state, states)
    {
        if (*state == XDG_TOPLEVEL_STATE_ACTIVATED)
            l->active = 1;
    }
}

static void toplevel_close(void* data, struct xdg_toplevel* toplevel)
{
    (void)data, (void)toplevel;
}

// Bound at version 1, which has neither configure_bounds nor wm_capabilities.
static const struct xdg_toplevel_listener toplevel_listener = {.configure = toplevel_configure,
                                                               .close = toplevel_close};

static void token_done(void* data, struct xdg_activation_token_v1* token, const char* text)
{
    (void)token;
    struct launcher* l = data;
    l->token = strdup(text);
}

static const struct xdg_activation_token_v1_listener token_listener = {token_done};

static struct wl_buffer* white_buffer(struct wl_shm* shm)
{
    const int stride = kWidth * 4;
    const int size = stride * kHeight;
    const int fd = memfd_create("launcher", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) != 0)
        return NULL;
    void* pixels = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED)
        return NULL;
    memset(pixels, 0xff, size);
    munmap(pixels, size);
    struct wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
    struct wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, kWidth, kHeight, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

int main(int argc, char** argv)
{
    struct launcher l = {0};
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "activation launcher: no Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, &l);
    wl_display_roundtrip(display);
    if (!l.compositor || !l.shm || !l.base || !l.activation) {
        fprintf(stderr, "activation launcher: the compositor lacks xdg-shell or xdg-activation\n");
        return 1;
    }
    xdg_wm_base_add_listener(l.base, &base_listener, &l);
    l.buffer = white_buffer(l.shm);
    if (!l.buffer) {
        fprintf(stderr, "activation launcher: no shared memory for its window\n");
        return 1;
    }
    l.surface = wl_compositor_create_surface(l.compositor);
    struct xdg_surface* xdg = xdg_wm_base_get_xdg_surface(l.base, l.surface);
    xdg_surface_add_listener(xdg, &surface_listener, &l);
    struct xdg_toplevel* toplevel = xdg_surface_get_toplevel(xdg);
    xdg_toplevel_add_listener(toplevel, &toplevel_listener, &l);
    xdg_toplevel_set_title(toplevel, argc > 1 ? argv[1] : "activation launcher");
    wl_surface_commit(l.surface);

    while (!l.active && wl_display_dispatch(display) >= 0) {
    }
    struct xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(l.activation);
    xdg_activation_token_v1_add_listener(token, &token_listener, &l);
    xdg_activation_token_v1_set_surface(token, l.surface);
    xdg_activation_token_v1_commit(token);
    while (!l.token && wl_display_dispatch(display) >= 0) {
    }
    if (!l.token)
        return 1;
    printf("%s\n", l.token);
    fflush(stdout);

    // Answers the compositor's pings while the test uses the token.
    struct pollfd fds[2] = {{wl_display_get_fd(display), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    for (;;) {
        wl_display_flush(display);
        if (poll(fds, 2, -1) < 0)
            break;
        if (fds[1].revents) {
            char ignored[64];
            if (read(STDIN_FILENO, ignored, sizeof ignored) <= 0)
                break;
        }
        if (fds[0].revents && wl_display_dispatch(display) < 0)
            break;
    }
    wl_display_disconnect(display);
    return 0;
}
