// Halvoscope inside GNOME Shell: a colour filter over the whole stage, a
// panel button, and the D-Bus object through which the Halvoscope app drives
// both. The app does all the colour maths and every decision; this only draws
// what it was sent. Built into extension.js between a module-format or a
// legacy-format head and tail, which provide the names used here (Clutter,
// Cogl, Gio, GLib, GObject, Meta, Shell, St, Main, PanelMenu) and the
// interface description HALVOSCOPE_IFACE.

const HALVOSCOPE_PATH = '/com/corvanta/Halvoscope/ShellExtension';
const HALVOSCOPE_EFFECT = 'halvoscope-color';
const IDENTITY = [1, 0, 0, 0, 1, 0, 0, 0, 1];
const KIND_FADE = 0;
const KIND_REFRACT = 2;
const MAX_DURATION_MS = 10000;

// Cogl's snippet hooks moved from Shell to Cogl in GNOME 46.
const SnippetHook = Shell.SnippetHook || Cogl.SnippetHook;

// The ripple's wave, refraction and crest follow the app's own ripple
// program; all of it is a function of the time uniform.
const DECLARATIONS = `
uniform mat3 halvo_from;
uniform mat3 halvo_to;
uniform float halvo_time;
uniform vec4 halvo_ripple;

float halvo_farthest(vec2 o, float aspect) {
    float l = o.x * aspect;
    float r = (1.0 - o.x) * aspect;
    float b = 1.0 - o.y;
    return max(max(length(vec2(l, o.y)), length(vec2(r, o.y))),
               max(length(vec2(l, b)), length(vec2(r, b))));
}

float halvo_front(float progress) {
    return progress * (halvo_farthest(halvo_ripple.xy, halvo_ripple.z) + 0.30);
}

float halvo_distance(vec2 st) {
    vec2 delta = st - halvo_ripple.xy;
    return length(vec2(delta.x * halvo_ripple.z, delta.y));
}

vec2 halvo_wave(float r) {
    float envelope = exp(-(r / 0.105) * (r / 0.105));
    return vec2((sin(r * 105.0) * 0.72 + sin(r * 185.0 + 0.8) * 0.28) * envelope, envelope);
}
`;

const LOOKUP = `
vec2 st = cogl_tex_coord.st;
if (halvo_ripple.w > 1.5) {
    float progress = smoothstep(0.0, 1.0, halvo_time);
    float d = halvo_distance(st);
    float strength = (1.0 - smoothstep(0.82, 1.0, progress)) * 0.120 * (1.0 - progress * 0.25);
    float wave = halvo_wave(d - halvo_front(progress)).x;
    if (d > 0.0001)
        st = clamp(st + (st - halvo_ripple.xy) * (wave * strength / d), 0.0, 1.0);
}
cogl_texel = texture2D(cogl_sampler, st);
`;

// Colours are premultiplied: each graded channel stays within alpha.
const GRADE = `
vec4 halvo_in = cogl_color_out;
vec3 halvo_before = clamp(halvo_from * halvo_in.rgb, 0.0, halvo_in.a);
vec3 halvo_after = clamp(halvo_to * halvo_in.rgb, 0.0, halvo_in.a);
float halvo_progress = smoothstep(0.0, 1.0, halvo_time);
vec3 halvo_out;
if (halvo_ripple.w < 0.5) {
    halvo_out = mix(halvo_before, halvo_after, halvo_progress);
} else {
    float d = halvo_distance(cogl_tex_coord0_in.xy);
    float front = halvo_front(halvo_progress);
    float coverage = 1.0 - smoothstep(front - 0.025, front + 0.025, d);
    vec2 wave = halvo_wave(d - front);
    float crest = (1.0 - smoothstep(0.82, 1.0, halvo_progress)) * 0.035 * (1.0 - halvo_progress * 0.6);
    halvo_out = mix(halvo_before, halvo_after, coverage) + max(wave.x, 0.0) * wave.y * crest * halvo_in.a;
}
cogl_color_out = vec4(clamp(halvo_out, 0.0, halvo_in.a), halvo_in.a);
`;

const HalvoscopeColorEffect = GObject.registerClass({
    GTypeName: 'HalvoscopeColorEffect',
}, class HalvoscopeColorEffect extends Shell.GLSLEffect {
    _init() {
        super._init();
        this._from = this.get_uniform_location('halvo_from');
        this._to = this.get_uniform_location('halvo_to');
        this._time = this.get_uniform_location('halvo_time');
        this._ripple = this.get_uniform_location('halvo_ripple');
        this.show(IDENTITY, IDENTITY, 1, [0, 0, 1, KIND_FADE]);
    }

    vfunc_build_pipeline() {
        this.add_glsl_snippet(SnippetHook.TEXTURE_LOOKUP, DECLARATIONS, LOOKUP, true);
        this.add_glsl_snippet(SnippetHook.FRAGMENT, '', GRADE, false);
    }

    show(from, to, time, ripple) {
        this.set_uniform_matrix(this._from, true, 3, from);
        this.set_uniform_matrix(this._to, true, 3, to);
        this.set_uniform_float(this._time, 1, [time]);
        this.set_uniform_float(this._ripple, 4, ripple);
        this.queue_repaint();
    }
});

// The filter on the stage: windows, X11 clients, the top bar, the overview,
// notifications, OSDs and a software cursor all pass through it. It sits on
// the stage only while it changes something.
class ColorFilter {
    constructor() {
        this._effect = null;
        this._timeline = null;
        this._target = IDENTITY;
        this._unredirectDisabled = false;
    }

    set(matrix) {
        this._stopTimeline();
        this._target = matrix;
        if (isIdentity(matrix)) {
            this.clear();
            return;
        }
        this._ensureEffect().show(matrix, matrix, 1, [0, 0, 1, KIND_FADE]);
    }

    run(from, to, origin, durationMs, kind) {
        this._stopTimeline();
        this._target = to;
        if (durationMs === 0 || (isIdentity(from) && isIdentity(to))) {
            this.set(to);
            return;
        }
        const effect = this._ensureEffect();
        const [width, height] = [global.stage.width, global.stage.height];
        const ripple = [origin[0] / width, origin[1] / height, width / height, kind];
        effect.show(from, to, 0, ripple);
        const timeline = new Clutter.Timeline({actor: global.stage, duration: durationMs});
        timeline.connect('new-frame', () => {
            if (this._timeline === timeline)
                effect.show(from, to, timeline.get_progress(), ripple);
        });
        timeline.connect('completed', () => {
            if (this._timeline === timeline)
                this.set(this._target);
        });
        this._timeline = timeline;
        timeline.start();
    }

    clear() {
        this._stopTimeline();
        this._target = IDENTITY;
        if (this._effect) {
            global.stage.remove_effect(this._effect);
            this._effect = null;
        }
        this._setUnredirect(true);
    }

    destroy() {
        this.clear();
    }

    _ensureEffect() {
        if (!this._effect) {
            this._effect = new HalvoscopeColorEffect();
            global.stage.add_effect_with_name(HALVOSCOPE_EFFECT, this._effect);
            // A full-screen window shown unredirected would bypass the stage.
            this._setUnredirect(false);
        }
        return this._effect;
    }

    _stopTimeline() {
        if (!this._timeline)
            return;
        const timeline = this._timeline;
        this._timeline = null;
        timeline.stop();
    }

    // GNOME 48 moved the switch from Meta to the compositor object.
    _setUnredirect(enabled) {
        if (enabled === !this._unredirectDisabled)
            return;
        this._unredirectDisabled = !enabled;
        const compositor = global.compositor;
        if (compositor && compositor.disable_unredirect) {
            if (enabled)
                compositor.enable_unredirect();
            else
                compositor.disable_unredirect();
        } else if (enabled) {
            Meta.enable_unredirect_for_display(global.display);
        } else {
            Meta.disable_unredirect_for_display(global.display);
        }
    }
}

// The bulb in the top bar. Clicks go to the app, which opens its own
// popover under the button.
const HalvoscopeButton = GObject.registerClass({
    GTypeName: 'HalvoscopeButton',
    Signals: {'clicked': {param_types: [GObject.TYPE_UINT]}},
}, class HalvoscopeButton extends PanelMenu.Button {
    _init(extensionPath) {
        super._init(0.5, 'Halvoscope', true);
        this.accessible_name = 'Halvoscope';
        this._icons = [false, true].map(active => Gio.icon_new_for_string(
            `${extensionPath}/icons/halvoscope-bulb-${active ? 'active' : 'inactive'}-symbolic.svg`));
        this._icon = new St.Icon({gicon: this._icons[0], style_class: 'system-status-icon'});
        this.add_child(this._icon);
        this._tooltip = new St.Label({style_class: 'dash-label', visible: false});
        // Above windows, never taking input: not chrome, whose parameters
        // differ between GNOME versions.
        Main.uiGroup.add_child(this._tooltip);
        this._tooltipTimeout = 0;
        this.connect('notify::hover', () => this._hoverChanged());
    }

    setState(active, tooltip) {
        this._icon.gicon = this._icons[active ? 1 : 0];
        this._tooltip.text = tooltip;
    }

    rectangle() {
        const [x, y] = this.get_transformed_position();
        const [width, height] = this.get_transformed_size();
        return [x, y, width, height].map(Math.round);
    }

    vfunc_event(event) {
        const type = event.type();
        if (type === Clutter.EventType.BUTTON_RELEASE || type === Clutter.EventType.TOUCH_END) {
            this._hideTooltip();
            this.emit('clicked', type === Clutter.EventType.TOUCH_END ? 1 : event.get_button());
            return Clutter.EVENT_STOP;
        }
        return Clutter.EVENT_PROPAGATE;
    }

    _hoverChanged() {
        this._hideTooltip();
        if (this.hover && this._tooltip.text) {
            this._tooltipTimeout = GLib.timeout_add(GLib.PRIORITY_DEFAULT, 500, () => {
                this._tooltipTimeout = 0;
                const [x, y, width, height] = this.rectangle();
                const monitor = Main.layoutManager.findMonitorForActor(this);
                const right = monitor ? monitor.x + monitor.width : global.stage.width;
                this._tooltip.set_position(
                    Math.max(0, Math.min(x + (width - this._tooltip.width) / 2, right - this._tooltip.width)),
                    y + height + 4);
                this._tooltip.show();
                return GLib.SOURCE_REMOVE;
            });
        }
    }

    _hideTooltip() {
        if (this._tooltipTimeout) {
            GLib.source_remove(this._tooltipTimeout);
            this._tooltipTimeout = 0;
        }
        this._tooltip.hide();
    }

    _onDestroy() {
        this._hideTooltip();
        this._tooltip.destroy();
        super._onDestroy();
    }
});

// Moves the app's next window with a given title where the app asks, when
// the shell maps it: a Wayland client cannot place its own windows.
class WindowPlacer {
    constructor(ownerPid) {
        this._ownerPid = ownerPid;
        this._pending = null;
        this._createdId = 0;
        this._shown = new Map();
    }

    place(title, x, y) {
        this._reset();
        this._pending = {title, x, y};
        this._createdId = global.display.connect('window-created', (display, window) => {
            this._shown.set(window, window.connect('shown', () => this._place(window)));
        });
    }

    _place(window) {
        const pending = this._pending;
        if (!pending || window.get_pid() !== this._ownerPid() || window.get_title() !== pending.title)
            return;
        window.move_frame(false, pending.x, pending.y);
        this._reset();
    }

    _reset() {
        if (this._createdId) {
            global.display.disconnect(this._createdId);
            this._createdId = 0;
        }
        for (const [window, id] of this._shown)
            window.disconnect(id);
        this._shown.clear();
        this._pending = null;
    }

    destroy() {
        this._reset();
    }
}

function isIdentity(matrix) {
    return matrix.every((value, index) => value === IDENTITY[index]);
}

function validMatrix(value) {
    return Array.isArray(value) && value.length === 9 &&
        value.every(v => Number.isFinite(v) && Math.abs(v) <= 16);
}

// The D-Bus object. Whatever a caller set belongs to that caller's
// connection and goes when it leaves the bus, so a quit, a signal or a
// kill -9 of the app leaves nothing on the screen.
class HalvoscopeService {
    constructor(extensionPath) {
        this._filter = new ColorFilter();
        this._placer = new WindowPlacer(() => this._ownerPid);
        this._button = new HalvoscopeButton(extensionPath);
        this._button.connect('clicked', (button, number) => this._buttonClicked(number));
        this._buttonWanted = false;
        Main.panel.addToStatusArea('halvoscope', this._button);
        this._sessionModeId = Main.sessionMode.connect('updated', () => this._updateButton());
        this._updateButton();
        this._owner = null;
        this._ownerPid = -1;
        this._watchId = 0;
        this._dbus = Gio.DBusExportedObject.wrapJSObject(HALVOSCOPE_IFACE, this);
        this._dbus.export(Gio.DBus.session, HALVOSCOPE_PATH);
    }

    get Version() {
        return 1;
    }

    SetColorAsync([matrix], invocation) {
        if (!validMatrix(matrix)) {
            invalid(invocation, 'matrix must be 9 finite numbers');
            return;
        }
        this._adopt(invocation);
        this._filter.set(matrix);
        invocation.return_value(null);
    }

    RunTransitionAsync([from, to, originX, originY, durationMs, kind], invocation) {
        if (!validMatrix(from) || !validMatrix(to) || !Number.isFinite(originX) ||
            !Number.isFinite(originY) || durationMs > MAX_DURATION_MS || kind > KIND_REFRACT) {
            invalid(invocation, 'two matrices of 9 finite numbers, a finite origin, ' +
                `at most ${MAX_DURATION_MS} ms and a kind of 0, 1 or 2`);
            return;
        }
        this._adopt(invocation);
        this._filter.run(from, to, [originX, originY], durationMs, kind);
        invocation.return_value(null);
    }

    ClearAsync(params, invocation) {
        this._filter.clear();
        invocation.return_value(null);
    }

    SetButtonAsync([visible, active, tooltip], invocation) {
        this._adopt(invocation);
        this._buttonWanted = visible;
        this._button.setState(active, tooltip);
        this._updateButton();
        invocation.return_value(null);
    }

    PlaceWindowAsync([title, x, y], invocation) {
        this._adopt(invocation);
        this._placer.place(title, x, y);
        invocation.return_value(null);
    }

    destroy() {
        this._unwatch();
        this._dbus.unexport();
        this._dbus = null;
        Main.sessionMode.disconnect(this._sessionModeId);
        this._button.destroy();
        this._button = null;
        this._placer.destroy();
        this._filter.destroy();
    }

    // The unlock dialog keeps the colour, so the screen does not flash at
    // its untinted brightness when it wakes at night; the button has no
    // place there.
    _updateButton() {
        this._button.visible = this._buttonWanted && !Main.sessionMode.isLocked;
    }

    _buttonClicked(number) {
        const [x, y, width, height] = this._button.rectangle();
        this._dbus.emit_signal('ButtonClicked',
            new GLib.Variant('(uiiii)', [number, x, y, width, height]));
    }

    _adopt(invocation) {
        const sender = invocation.get_sender();
        if (sender === this._owner)
            return;
        this._unwatch();
        this._owner = sender;
        this._ownerPid = -1;
        this._watchId = Gio.bus_watch_name_on_connection(Gio.DBus.session, sender,
            Gio.BusNameWatcherFlags.NONE, null, () => this._ownerVanished());
        Gio.DBus.session.call('org.freedesktop.DBus', '/org/freedesktop/DBus',
            'org.freedesktop.DBus', 'GetConnectionUnixProcessID', new GLib.Variant('(s)', [sender]),
            new GLib.VariantType('(u)'), Gio.DBusCallFlags.NONE, -1, null, (connection, result) => {
                try {
                    const [pid] = connection.call_finish(result).deepUnpack();
                    if (this._owner === sender)
                        this._ownerPid = pid;
                } catch (e) {
                    logError(e, 'Halvoscope: cannot tell which process owns the colour filter');
                }
            });
    }

    _ownerVanished() {
        this._unwatch();
        this._owner = null;
        this._filter.clear();
        this._buttonWanted = false;
        this._updateButton();
    }

    _unwatch() {
        if (this._watchId) {
            Gio.bus_unwatch_name(this._watchId);
            this._watchId = 0;
        }
    }
}

function invalid(invocation, message) {
    invocation.return_dbus_error('org.freedesktop.DBus.Error.InvalidArgs', message);
}
