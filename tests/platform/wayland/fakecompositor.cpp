// A compositor that shows nothing: it offers wl_output globals and a wlr gamma
// control manager, and tells on stdout, one line each, what its clients do:
//   ready <socket path>
//   control <output>            a gamma control was granted
//   failed <output>             ... or refused
//   gamma <output> <hex bytes>  a set_gamma table file, as sent
//   restored <output> destroy|disconnect   the control went, the output's own ramps are back
// It takes commands on stdin, one a line:
//   add <output> <gamma size>   a new output (hot-plug)
//   remove <output>             the output goes away
//   hold <output>               another program controls it: new controls fail
//   drop                        closes every client's connection
// Started with --no-gamma-control, it offers outputs only; with --brief, a
// gamma line gives the table file's size instead of its bytes.

#include <wayland-server.h>
#include <wlr-gamma-control-unstable-v1-server-protocol.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Output {
    std::string name;
    uint32_t gammaSize = 0;
    bool held = false;
    wl_global *global = nullptr;
    // The granted control, if any.
    wl_resource *control = nullptr;
    // Every client's wl_output of it.
    std::vector<wl_resource *> resources;
};

struct Compositor {
    wl_display *display = nullptr;
    std::list<Output> outputs;
    std::string input;
};

Compositor compositor;
bool brief = false;

void say(const std::string &line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void outputRelease(wl_client *, wl_resource *resource)
{
    wl_resource_destroy(resource);
}

const struct wl_output_interface outputImplementation = {&outputRelease};

void outputResourceDestroyed(wl_resource *resource)
{
    if (auto *output = static_cast<Output *>(wl_resource_get_user_data(resource)))
        std::erase(output->resources, resource);
}

void bindOutput(wl_client *client, void *data, uint32_t version, uint32_t id)
{
    auto *output = static_cast<Output *>(data);
    wl_resource *resource = wl_resource_create(client, &wl_output_interface, static_cast<int>(version), id);
    wl_resource_set_implementation(resource, &outputImplementation, output, &outputResourceDestroyed);
    output->resources.push_back(resource);
    wl_output_send_geometry(resource, 0, 0, 300, 200, WL_OUTPUT_SUBPIXEL_UNKNOWN, "Fake", "Screen",
                            WL_OUTPUT_TRANSFORM_NORMAL);
    wl_output_send_mode(resource, WL_OUTPUT_MODE_CURRENT, 1024, 768, 60000);
    if (version >= WL_OUTPUT_SCALE_SINCE_VERSION)
        wl_output_send_scale(resource, 1);
    if (version >= WL_OUTPUT_NAME_SINCE_VERSION)
        wl_output_send_name(resource, output->name.c_str());
    if (version >= WL_OUTPUT_DONE_SINCE_VERSION)
        wl_output_send_done(resource);
}

// A control whose output went keeps a null user data.
void controlGone(wl_resource *resource, const char *how)
{
    auto *output = static_cast<Output *>(wl_resource_get_user_data(resource));
    if (!output || output->control != resource)
        return;
    output->control = nullptr;
    say("restored " + output->name + " " + how);
}

void controlDestroyRequest(wl_client *, wl_resource *resource)
{
    controlGone(resource, "destroy");
    wl_resource_destroy(resource);
}

void controlResourceDestroyed(wl_resource *resource)
{
    controlGone(resource, "disconnect");
}

void setGamma(wl_client *, wl_resource *resource, int32_t fd)
{
    auto *output = static_cast<Output *>(wl_resource_get_user_data(resource));
    if (!output || output->control != resource) {
        close(fd);
        return;
    }
    const size_t expected = 3u * 2u * output->gammaSize;
    struct stat status {};
    std::vector<unsigned char> bytes(expected);
    const bool ok = fstat(fd, &status) == 0 && static_cast<size_t>(status.st_size) == expected
                    && pread(fd, bytes.data(), expected, 0) == static_cast<ssize_t>(expected);
    close(fd);
    if (!ok) {
        wl_resource_post_error(resource, ZWLR_GAMMA_CONTROL_V1_ERROR_INVALID_GAMMA, "gamma tables of the wrong size");
        return;
    }
    if (brief) {
        say("gamma " + output->name + " " + std::to_string(expected));
        return;
    }
    std::string hex;
    hex.reserve(expected * 2);
    static const char digits[] = "0123456789abcdef";
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    say("gamma " + output->name + " " + hex);
}

const struct zwlr_gamma_control_v1_interface controlImplementation = {&setGamma, &controlDestroyRequest};

void getGammaControl(wl_client *client, wl_resource *manager, uint32_t id, wl_resource *outputResource)
{
    auto *output = static_cast<Output *>(wl_resource_get_user_data(outputResource));
    wl_resource *resource =
        wl_resource_create(client, &zwlr_gamma_control_v1_interface, wl_resource_get_version(manager), id);
    const bool granted = output && !output->held && !output->control;
    wl_resource_set_implementation(resource, &controlImplementation, granted ? output : nullptr,
                                   &controlResourceDestroyed);
    if (!granted) {
        zwlr_gamma_control_v1_send_failed(resource);
        if (output)
            say("failed " + output->name);
        return;
    }
    output->control = resource;
    say("control " + output->name);
    zwlr_gamma_control_v1_send_gamma_size(resource, output->gammaSize);
}

void managerDestroy(wl_client *, wl_resource *resource)
{
    wl_resource_destroy(resource);
}

const struct zwlr_gamma_control_manager_v1_interface managerImplementation = {&getGammaControl, &managerDestroy};

void bindManager(wl_client *client, void *, uint32_t version, uint32_t id)
{
    wl_resource *resource =
        wl_resource_create(client, &zwlr_gamma_control_manager_v1_interface, static_cast<int>(version), id);
    wl_resource_set_implementation(resource, &managerImplementation, nullptr, nullptr);
}

Output *findOutput(const std::string &name)
{
    for (Output &output : compositor.outputs) {
        if (output.name == name)
            return &output;
    }
    return nullptr;
}

void addOutput(const std::string &name, uint32_t gammaSize)
{
    Output &output = compositor.outputs.emplace_back();
    output.name = name;
    output.gammaSize = gammaSize;
    output.global = wl_global_create(compositor.display, &wl_output_interface, 4, &output, &bindOutput);
}

// Clients keep their output resources; their requests then reach no output.
void removeOutput(const std::string &name)
{
    Output *output = findOutput(name);
    if (!output)
        return;
    if (output->control) {
        wl_resource_set_user_data(output->control, nullptr);
        output->control = nullptr;
    }
    for (wl_resource *resource : output->resources)
        wl_resource_set_user_data(resource, nullptr);
    wl_global_destroy(output->global);
    compositor.outputs.remove_if([output](const Output &o) { return &o == output; });
}

void command(const std::string &line)
{
    std::istringstream words(line);
    std::string verb, name;
    words >> verb >> name;
    if (verb == "add") {
        uint32_t size = 0;
        words >> size;
        addOutput(name, size);
    } else if (verb == "remove") {
        removeOutput(name);
    } else if (verb == "hold") {
        if (Output *output = findOutput(name))
            output->held = true;
    } else if (verb == "drop") {
        wl_list *clients = wl_display_get_client_list(compositor.display);
        while (!wl_list_empty(clients))
            wl_client_destroy(wl_client_from_link(clients->next));
    }
    say("done " + verb);
}

int readInput(int fd, uint32_t, void *)
{
    char buffer[512];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) {
        wl_display_terminate(compositor.display);
        return 0;
    }
    compositor.input.append(buffer, static_cast<size_t>(n));
    for (size_t end; (end = compositor.input.find('\n')) != std::string::npos;) {
        const std::string line = compositor.input.substr(0, end);
        compositor.input.erase(0, end + 1);
        command(line);
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    bool gammaControl = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-gamma-control") == 0)
            gammaControl = false;
        else if (std::strcmp(argv[i], "--brief") == 0)
            brief = true;
    }
    compositor.display = wl_display_create();
    const char *socket = wl_display_add_socket_auto(compositor.display);
    if (!socket) {
        std::fputs("fakecompositor: no socket (is XDG_RUNTIME_DIR set?)\n", stderr);
        return 1;
    }
    if (gammaControl)
        wl_global_create(compositor.display, &zwlr_gamma_control_manager_v1_interface, 1, nullptr, &bindManager);
    wl_event_source *input = wl_event_loop_add_fd(wl_display_get_event_loop(compositor.display), STDIN_FILENO,
                                                  WL_EVENT_READABLE, &readInput, nullptr);
    say(std::string("ready ") + std::getenv("XDG_RUNTIME_DIR") + "/" + socket);
    wl_display_run(compositor.display);
    wl_event_source_remove(input);
    wl_display_destroy_clients(compositor.display);
    wl_display_destroy(compositor.display);
    return 0;
}
