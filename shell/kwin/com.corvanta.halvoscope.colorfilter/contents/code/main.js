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
    // window → the ids of its animations; KWin 6.3's script windows have no
    // id of their own, so they are compared as objects.
    covered: [],
    serial: -1,

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
    cover(window) {
        if (!window || this.covered.some((entry) => entry.window === window)) {
            return;
        }
        this.covered.push({window, ids: this.shade(window, 0)});
    },

    forget(window) {
        this.covered = this.covered.filter((entry) => entry.window !== window);
    },

    // One set() holds the shader and, during a transition, runs its progress
    // uniform from 0 to 1 and keeps it there. Only set() animations stay:
    // KWin 5.27 stops drawing a window through a shader when an animate()
    // one ends.
    shade(window, durationMs) {
        const animations = [{type: Effect.Shader, fragmentShader: this.shader}];
        if (durationMs > 0) {
            animations.push({
                type: Effect.ShaderUniform,
                fragmentShader: this.shader,
                uniform: 'progress',
                from: 0.0,
                to: 1.0,
                duration: durationMs,
            });
        }
        return set({window, duration: 1, keepAlive: true, animations});
    },

    startTransition(durationMs) {
        for (const entry of this.covered) {
            cancel(entry.ids);
            entry.ids = this.shade(entry.window, durationMs);
        }
        if (durationMs <= 0) {
            effect.setUniform(this.shader, 'progress', 1.0);
        }
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
        const size = effects.virtualScreenSize;
        const width = size.width;
        const height = size.height;
        const x = Number(effect.readConfig('OriginX', 0));
        const y = Number(effect.readConfig('OriginY', 0));
        effect.setUniform(this.shader, 'origin', [x, height - y]);
        effect.setUniform(this.shader, 'reach',
            Math.hypot(Math.max(x, width - x), Math.max(y, height - y)));
        effect.setUniform(this.shader, 'ripple', effect.readConfig('Ripple', false) ? 1.0 : 0.0);
        this.startTransition(starts ? durationMs : 0);
        effects.addRepaintFull();
    },

    init() {
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
