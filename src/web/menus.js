// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menu bar in HTML: the game's menus and the page's
// "Exibir", with access keys, check marks and menu roles for screen readers.
// Beside each entry the keys the program says stand for it.
import { el, mainEnabled, mainForm, page, tr } from "./common.js";

export function accessKey(caption) {
    const at = caption.indexOf("&");
    return at >= 0 && at + 1 < caption.length ? caption[at + 1].toLowerCase() : "";
}

function showCaption(node, caption) {
    node.textContent = "";
    const at = caption.indexOf("&");
    if (at < 0 || at + 1 >= caption.length) {
        node.textContent = caption;
        return;
    }
    node.append(caption.slice(0, at));
    const u = el("u", "", node);
    u.textContent = caption[at + 1];
    node.append(caption.slice(at + 2));
}

// A menu on the bar, before the menu `before` or last.
export function addTitle(menu, before) {
    const bar = mainForm().menubar;
    menu.items = [];
    menu.button = el("button", "menutitle");
    menu.button.tabIndex = -1;
    menu.button.setAttribute("role", "menuitem");
    menu.button.setAttribute("aria-haspopup", "menu");
    menu.button.setAttribute("aria-expanded", "false");
    menu.list = el("div", "menulist");
    menu.list.tabIndex = -1;
    menu.list.hidden = true;
    menu.list.setAttribute("role", "menu");
    bar.insertBefore(menu.button, before ? before.button : null);
    bar.insertBefore(menu.list, before ? before.button : null);
    menu.button.addEventListener("mousedown", (e) => {
        e.preventDefault();
        page.openMenu === menu ? closeMenu() : openMenu(menu);
    });
    menu.button.addEventListener("mouseenter", () => {
        if (page.openMenu && page.openMenu !== menu) {
            openMenu(menu);
        }
    });
    const at = before ? page.topMenus.indexOf(before) : -1;
    at >= 0 ? page.topMenus.splice(at, 0, menu) : page.topMenus.push(menu);
}

// An entry of the menu `top`, before its entry `before` or last: an
// action ("menuitem"), an entry with a check mark of its own
// ("menuitemcheckbox") or one of a group's ("menuitemradio").
export function addRow(top, item, role, before) {
    item.row = el("div", item.separator ? "separator" : "menuitem");
    top.list.insertBefore(item.row, before ? before.row : null);
    if (item.separator) {
        item.row.setAttribute("role", "separator");
    } else {
        item.row.setAttribute("role", role);
        item.row.tabIndex = -1;
        el("span", "check", item.row).setAttribute("aria-hidden", "true");
        item.label = el("span", "label", item.row);
        el("span", "shortcut", item.row).textContent = item.shortcut;
        item.row.addEventListener("mouseenter", () => highlight(top, item));
        item.row.addEventListener("mouseup", () => choose(item));
    }
    const at = before ? top.items.indexOf(before) : -1;
    at >= 0 ? top.items.splice(at, 0, item) : top.items.push(item);
}

function showRow(menu) {
    showCaption(menu.label, menu.caption);
    // A game entry that shows a check mark is one from then on.
    if (menu.checked && menu.row.getAttribute("role") === "menuitem" && menu.number) {
        menu.row.setAttribute("role", "menuitemcheckbox");
    }
    const role = menu.row.getAttribute("role");
    const mark = role === "menuitemradio" ? "•" : "✓";
    menu.row.querySelector(".check").textContent = menu.checked ? mark : "";
    if (role === "menuitem") {
        menu.row.removeAttribute("aria-checked");
    } else {
        menu.row.setAttribute("aria-checked", menu.checked ? "true" : "false");
    }
    menu.row.classList.toggle("disabled", !menu.enabled);
    menu.row.setAttribute("aria-disabled", menu.enabled ? "false" : "true");
    menu.row.hidden = !menu.visible;
}

export function showMenu(menu) {
    if (menu.button) {
        showCaption(menu.button, menu.caption);
        menu.button.hidden = !menu.visible;
    } else if (menu.row && !menu.separator) {
        showRow(menu);
    }
}

page.addMenu = (number, parent, caption, separator, shortcut) => {
    const menu = { number, parent, caption: tr(caption), separator, shortcut, items: [],
                   enabled: true, visible: true, checked: false };
    if (parent < 0) {
        addTitle(menu, null);
    } else {
        addRow(page.menus[parent], menu, "menuitem", null);
    }
    page.menus[number] = menu;
};

page.syncMenu = (number, caption, checked, enabled, visible) => {
    const menu = page.menus[number];
    Object.assign(menu, { caption: tr(caption), checked, enabled, visible });
    showMenu(menu);
};

export function openMenu(menu) {
    if (!mainEnabled()) {
        return;
    }
    const before = page.openMenu ? page.focusBefore : document.activeElement;
    closeMenu();
    page.focusBefore = before;
    page.openMenu = menu;
    menu.list.hidden = false;
    menu.list.style.left = menu.button.offsetLeft + "px";
    menu.button.classList.add("open");
    menu.button.setAttribute("aria-expanded", "true");
    highlight(menu, menu.items.find(usable) || null);
}

export function closeMenu() {
    if (!page.openMenu) {
        return;
    }
    page.openMenu.list.hidden = true;
    page.openMenu.button.classList.remove("open");
    page.openMenu.button.setAttribute("aria-expanded", "false");
    page.openMenu = null;
    // The focus goes back where it was before the menu.
    const back = page.focusBefore;
    page.focusBefore = null;
    if (back && back !== document.body && back.isConnected && typeof back.focus === "function") {
        back.focus();
    } else if (document.activeElement) {
        document.activeElement.blur();
    }
}

function usable(item) {
    return !item.separator && item.visible && item.enabled;
}

// The entry highlighted has the focus, for a screen reader to tell.
function highlight(top, item) {
    top.current = item;
    for (const i of top.items) {
        if (i.row) {
            i.row.classList.toggle("current", i === item);
        }
    }
    (item && item.row ? item.row : top.list).focus({ preventScroll: true });
}

function choose(item) {
    if (!usable(item)) {
        return;
    }
    closeMenu();
    // After the menu has closed, as a desktop menu does.
    setTimeout(() => (item.action ? item.action() : Module._pelmar_menu(item.number)), 0);
}

// The next menu on the bar to the left or right, round.
function besideMenu(top, step) {
    const shown = page.topMenus.filter((m) => m.visible);
    const next = shown.indexOf(top) + step;
    openMenu(shown[(next + shown.length) % shown.length]);
}

// A key while a menu is open: the menu's own.
export function menuKey(e) {
    const top = page.openMenu;
    const items = top.items.filter(usable);
    const at = items.indexOf(top.current);
    switch (e.key) {
    case "Escape":
        closeMenu();
        break;
    case "ArrowDown":
        highlight(top, items[(at + 1) % items.length]);
        break;
    case "ArrowUp":
        highlight(top, items[(at - 1 + items.length) % items.length]);
        break;
    case "ArrowLeft":
    case "ArrowRight":
        besideMenu(top, e.key === "ArrowRight" ? 1 : -1);
        break;
    case "Enter":
    case " ":
        if (top.current) {
            choose(top.current);
        }
        break;
    default: {
        const item = items.find((i) => accessKey(i.caption) === e.key.toLowerCase());
        if (item) {
            choose(item);
        }
    }
    }
}

// Alt and a menu's access key open it; true when one did.
export function menuOfAccessKey(e) {
    if (!e.altKey || e.key.length !== 1) {
        return false;
    }
    const key = e.key.toLowerCase();
    const menu = page.topMenus.find((m) => m.visible && accessKey(m.caption) === key);
    if (menu) {
        e.preventDefault();
        openMenu(menu);
    }
    return Boolean(menu);
}
