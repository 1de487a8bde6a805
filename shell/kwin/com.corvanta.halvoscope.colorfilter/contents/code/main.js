/*
 * Halvoscope's colour filter: every window drawn through the 3×3 matrix that
 * Halvoscope writes to this effect's settings. Halvoscope does the colour
 * maths and calls reconfigureEffect once per change; a transition is sent as
 * its target and duration, and runs here at KWin's frame rate.
 */
'use strict';

const identity = [1, 0, 0, 0, 1, 0, 0, 0, 1];

const colourFilter = {
    shader: effect.addFragmentShader(Effect.MapTexture | Effect.Modulate | Effect.AdjustSaturation, 'colorfilter.frag'),
    // Each window with the id of its progress animation; KWin 6.3's script
    // windows have no id of their own, so they are compared as objects.
    covered: [],
    serial: -1,
    // Whether the progress uniform last ran from 0 to 1.
    forward: true,

    readMatrix(key) {
        const numbers = String(effect.readConfig(key, '')).split(',').map(Number);
        const valid = numbers.length === 9 && numbers.every(Number.isFinite);
        return valid ? numbers : identity;
    },

    setRows(prefix, matrix) {
        for (let row = 0; row < 3; ++row) {
            effect.setUniform(this.shader, prefix + row, matrix.slice(3 * row, 3 * row + 3));
        }
    },

    // A window is drawn through the shader for as long as the effect runs.
    // One set() holds the shader and the progress uniform; both stay until
    // the effect goes, since KWin 5.27 stops drawing a window through a
    // shader when one of its shader animations ends, and KWin 6 leaves a
    // window blank for a while when they are cancelled and set again.
    cover(window) {
        if (!window || this.covered.some((entry) => entry.window === window)) {
            return;
        }
        const ids = set({
            window,
            duration: 1,
            keepAlive: true,
            animations: [
                {type: Effect.Shader, fragmentShader: this.shader},
                {
                    type: Effect.ShaderUniform,
                    fragmentShader: this.shader,
                    uniform: 'progress',
                    from: this.forward ? 1.0 : 0.0,
                    to: this.forward ? 1.0 : 0.0,
                },
            ],
        });
        this.covered.push({window, progressId: ids[1]});
    },

    forget(window) {
        this.covered = this.covered.filter((entry) => entry.window !== window);
    },

    // The progress uniform runs towards the other end each time, so that no
    // animation has to end or be replaced; the shader reads it backwards on
    // every other transition.
    startTransition(durationMs) {
        if (durationMs <= 0) {
            return;
        }
        this.forward = !this.forward;
        effect.setUniform(this.shader, 'forward', this.forward ? 1.0 : 0.0);
        for (const entry of this.covered) {
            retarget(entry.progressId, this.forward ? 1.0 : 0.0, durationMs);
        }
    },

    // KWin 6's QJSEngine does not show a QSize's fields, so the numbers
    // KWin gives scripts come first.
    screenSize() {
        const width = Number(displayWidth);
        const height = Number(displayHeight);
        if (width > 0 && height > 0) {
            return {width, height};
        }
        const size = effects.virtualScreenSize;
        return {width: Number(size.width), height: Number(size.height)};
    },

    loadConfig() {
        const target = this.readMatrix('Matrix');
        const serial = Number(effect.readConfig('Serial', 0));
        const durationMs = Number(effect.readConfig('TransitionMs', 0));
        // KWin re-reads every effect's settings now and then; only a new
        // serial starts a transition.
        const starts = serial !== this.serial && durationMs > 0;
        this.serial = serial;
        this.setRows('fromRow', starts ? this.readMatrix('FromMatrix') : target);
        this.setRows('toRow', target);
        const {width, height} = this.screenSize();
        const x = Number(effect.readConfig('OriginX', 0));
        const y = Number(effect.readConfig('OriginY', 0));
        const reach = Math.hypot(Math.max(x, width - x), Math.max(y, height - y));
        // Without a size the ring cannot be placed: the change fades instead.
        const ripple = effect.readConfig('Ripple', false) && Number.isFinite(reach) && reach > 0;
        effect.setUniform(this.shader, 'origin', ripple ? [x, height - y] : [0, 0]);
        effect.setUniform(this.shader, 'reach', ripple ? reach : 1.0);
        effect.setUniform(this.shader, 'ripple', ripple ? 1.0 : 0.0);
        this.startTransition(starts ? durationMs : 0);
        effects.addRepaintFull();
    },

    init() {
        effect.setUniform(this.shader, 'forward', 1.0);
        effect.setUniform(this.shader, 'progress', 1.0);
        effect.configChanged.connect(() => this.loadConfig());
        effects.windowAdded.connect((window) => this.cover(window));
        effects.windowDeleted.connect((window) => this.forget(window));
        for (const window of effects.stackingOrder) {
            this.cover(window);
        }
        this.loadConfig();
    },
};

colourFilter.init();
